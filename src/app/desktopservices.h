#pragma once

#include "core/drivemap.h"
#include "core/settingsstore.h"
#include "help/windowhelpviewer.h"
#include "tray/systemtrayarea.h"
#include "ui/dialogmessageboxes.h"
#include "ui/services.h"

// The real services of a run on the desktop: the user's settings file, the
// Wine prefix's drives, message boxes, the notification area and the help
// window. Ending the program ends the event loop.
class DesktopServices
{
public:
    DesktopServices();
    DesktopServices(const DesktopServices &) = delete;
    DesktopServices &operator=(const DesktopServices &) = delete;

    const Services &services() const { return m_services; }

private:
    DialogMessageBoxes m_messages;
    SettingsStore m_settings;
    SystemTrayArea m_trayArea;
    const DriveMap m_drives;
    WindowHelpViewer m_helpViewer;
    Services m_services;
};
