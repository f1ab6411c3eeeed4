#pragma once

#include "creator/drivemap.h"
#include "dialogmessageboxes.h"
#include "forms.h"
#include "ghostguard.h"
#include "help/windowhelpviewer.h"
#include "settingsstore.h"
#include "tray/systemtrayarea.h"

// One run of Tolvane on the real desktop: the real services, the window
// registry and the guard against an unreachable process. start() loads the
// tray host, which starts everything else.
class Program
{
public:
    Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    void start();
    Forms &forms() { return m_forms; }

private:
    DialogMessageBoxes m_messages;
    SettingsStore m_settings;
    SystemTrayArea m_trayArea;
    const DriveMap m_drives;
    WindowHelpViewer m_helpViewer;
    Services m_services;
    Forms m_forms;
    GhostGuard m_ghostGuard;
};
