# Installing Tolvane as a desktop program, and its Debian package
# (cpack -G DEB in the build folder).

set(tolvane_resources ${PROJECT_SOURCE_DIR}/resources)
install(FILES ${tolvane_resources}/batch.hlp DESTINATION ${CMAKE_INSTALL_DATADIR}/tolvane)
install(FILES ${tolvane_resources}/tolvane.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
foreach(size 48 64 128)
    install(FILES ${tolvane_resources}/tolvane-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tolvane.png)
endforeach()
install(FILES ${tolvane_resources}/tolvane.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The menu entry starts the program by its full path, under the prefix given
# to `cmake --install`: ~/.local/bin is on Debian's PATH only from the next
# login after it was made, so a bare `tolvane` would not start from the menu.
string(CONFIGURE [[
    set(exec "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/tolvane")
    # A path with a blank or another reserved character goes in quotes, with
    # \ " ` $ escaped, and its backslashes doubled again for the entry's
    # string type; a % is doubled in any case.
    string(REPLACE "%" "%%" exec "${exec}")
    if(NOT exec MATCHES "^[A-Za-z0-9/._+%-]+$")
        foreach(special "\\" "\"" "`" "$")
            string(REPLACE "${special}" "\\${special}" exec "${exec}")
        endforeach()
        string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
    endif()
    set(TOLVANE_EXEC "${exec}")
    configure_file("@tolvane_resources@/org.tolvane.Tolvane.desktop.in"
        "@PROJECT_BINARY_DIR@/install/org.tolvane.Tolvane.desktop" @ONLY)
]] write_desktop_entry @ONLY)
install(CODE "${write_desktop_entry}")
install(FILES ${PROJECT_BINARY_DIR}/install/org.tolvane.Tolvane.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The release named in the metainfo is the project's version.
configure_file(${tolvane_resources}/org.tolvane.Tolvane.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/org.tolvane.Tolvane.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.tolvane.Tolvane.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvane RENAME copyright)

# The manual page and the changelog go compressed, as Debian keeps them; -n
# leaves out the time stamp, so a rebuild gives the same bytes.
foreach(document tolvane.1 changelog)
    set(source ${tolvane_resources}/${document})
    set(compressed ${PROJECT_BINARY_DIR}/${document}.gz)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${compressed} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/tolvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvane)

# A program run from the build folder finds its help file beside itself.
configure_file(${tolvane_resources}/batch.hlp ${PROJECT_BINARY_DIR}/src/batch.hlp COPYONLY)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "The Tolvane developers")
set(CPACK_PACKAGE_CONTACT "The Tolvane developers <developers@tolvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Write DOS batch files that start a program")
set(CPACK_PACKAGE_DESCRIPTION
    "Tolvane writes small batch files for a DOS or Windows command interpreter\n\
(Windows, Wine or DOSBox) that change to a program's drive and directory and\n\
start the program. The user answers four questions; two browse windows fill\n\
in the directory and the program through the drive letters of the Wine prefix.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tolvane.org)
# The libraries the binary links are worked out by dpkg-shlibdeps and added
# to the face the windows are laid out for. DejaVu Sans makes the desktop's
# sans-serif a proportional face for menus, buttons and message boxes.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine, dosbox")
include(CPack)
