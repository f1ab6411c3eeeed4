#include "program.h"

#include "core/preferences.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "exitdecision.h"
#include "help/aboutwindow.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"
#include "pickers/directorypicker.h"
#include "pickers/programpicker.h"
#include "startup.h"
#include "tray/disabletrayicondialog.h"
#include "tray/enabletrayicondialog.h"
#include "tray/trayhost.h"
#include "ui/messageboxes.h"

#include <utility>

Program::Program(const Services &services)
    : m_services(services), m_forms(m_services), m_ghostGuard(m_forms, m_services.trayArea)
{
    m_services.startUp = [this] { StartUp::run(m_forms); };
    m_services.exitDecision = [this] { exitDecision(m_forms); };
    m_services.firstRunDefaults = [this] {
        if (!std::exchange(m_firstRunDefaultsWritten, true))
            Preferences(m_services.settings).writeFirstRunDefaults();
    };
    registerWindows();
    QObject::connect(&m_services.settings, &SettingsStore::problemOccurred, &m_forms,
                     [this](const QString &text) { m_services.messages.critical(text); });
}

void Program::registerWindows()
{
    m_forms.registerWindow<TrayHost>();
    m_forms.registerWindow<MainWindow>();
    m_forms.registerWindow<ConfirmationWindow>();
    m_forms.registerWindow<DirectoryPicker>();
    m_forms.registerWindow<ProgramPicker>();
    m_forms.registerWindow<AboutWindow>();
    m_forms.registerWindow<EnableTrayIconDialog>();
    m_forms.registerWindow<DisableTrayIconDialog>();
}

void Program::start()
{
    // A settings file that could not be read at all is said once, up front.
    if (!m_services.settings.problem().isEmpty())
        m_services.messages.critical(m_services.settings.problem());
    // A marker says that this run's program, not start-up, loads the main
    // window; one left by an earlier run would make this run's first load
    // skip its work.
    UnloadMarker::consume(m_services.settings);
    m_forms.load<TrayHost>();
}
