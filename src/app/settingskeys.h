#pragma once

#include <QString>

// Every entry the program keeps in its settings file, in one place.
namespace SettingsKeys {

struct Entry
{
    QString section;
    QString key;
};

inline const Entry firstTime{QStringLiteral("Settings"), QStringLiteral("Settings")};
inline const Entry loadOnStartup{QStringLiteral("Settings"), QStringLiteral("LoadOnStartup")};
inline const Entry showConfirmation{QStringLiteral("TolvaneConfirm"), QStringLiteral("ShowWindow")};
inline const Entry enableTrayDialog{QStringLiteral("TrayIconSettings"), QStringLiteral("Enable")};
inline const Entry lastBatchPath{QStringLiteral("Path/Filename"), QStringLiteral("Batch")};
inline const Entry installDirectory{QStringLiteral("InstallDirectory"),
                                    QStringLiteral("Directory")};

// The unload marker: set by the program just before it loads or unloads the
// main window itself, so that window's load and unload skip their own work.
inline const Entry unloadMarker{QStringLiteral("TolvaneConfirmSettings"),
                                QStringLiteral("Settings")};
inline const QString unloadMarkerValue = QStringLiteral("OK");
inline const QString firstTimeValue = QStringLiteral("FirstTime");

inline const QString on = QStringLiteral("1");
inline const QString off = QStringLiteral("0");
inline QString flag(bool value)
{
    return value ? on : off;
}

} // namespace SettingsKeys
