# add_qt_test(NAME SOURCES src...): one Qt Test executable linked against the
# core library, run offscreen with a throw-away home so no test ever touches
# the real user's settings.
function(add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tolvane_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set(home "${CMAKE_CURRENT_BINARY_DIR}/${name}-home")
    file(MAKE_DIRECTORY "${home}")
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;WINEPREFIX=${home}/.wine"
        TIMEOUT 120)
endfunction()

# add_e2e_test(NAME SCRIPT): a shell script that drives the real binary on its
# own Xvfb display with a notification area.
function(add_e2e_test name script)
    add_test(NAME ${name} COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/${script}" $<TARGET_FILE:tolvane>)
    set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 180)
endfunction()
