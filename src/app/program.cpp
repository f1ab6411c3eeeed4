#include "program.h"

#include "tray/batchmonitor.h"

#include <QCoreApplication>

Program::Program()
    : m_settings(SettingsStore::defaultFilePath()), m_drives(DriveMap::fromEnvironment()),
      m_helpViewer(m_drives, QCoreApplication::applicationDirPath()),
      m_services{m_settings, m_messages,   m_trayArea,
                 m_drives,   m_helpViewer, [] { QCoreApplication::exit(0); }},
      m_forms(m_services), m_ghostGuard(m_forms, m_trayArea)
{
    QObject::connect(&m_settings, &SettingsStore::problemOccurred,
                     [this](const QString &text) { m_messages.critical(text); });
}

void Program::start()
{
    // A settings file that could not be read at all is said once, up front.
    if (!m_settings.problem().isEmpty())
        m_messages.critical(m_settings.problem());
    m_forms.get<BatchMonitor>();
}
