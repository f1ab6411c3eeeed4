#include "desktopservices.h"

#include <QCoreApplication>

DesktopServices::DesktopServices()
    : m_settings(SettingsStore::defaultFilePath()), m_drives(DriveMap::fromEnvironment()),
      m_helpViewer(m_drives, QCoreApplication::applicationDirPath()),
      m_services{m_settings, m_messages,   m_trayArea,
                 m_drives,   m_helpViewer, [] { QCoreApplication::exit(0); },
                 {},         {},           {}}
{}
