#pragma once

#include <QString>

// Where an entry lives in the settings file.
struct SettingsEntry
{
    QString section;
    QString key;
};

// Every entry the program keeps in its settings file, in one place. How each
// is read, and why, is said where it is read: Preferences and UnloadMarker.
namespace SettingsEntries {

// Flags are only ever written as these two texts.
inline const QString on = QStringLiteral("1");
inline const QString off = QStringLiteral("0");
inline QString flag(bool value)
{
    return value ? on : off;
}

// "FirstTime" once the first-run defaults are written; never changed afterwards.
inline const SettingsEntry firstTime{QStringLiteral("Settings"), QStringLiteral("Settings")};
// "Load Tray Icon on Startup".
inline const SettingsEntry loadOnStartup{QStringLiteral("Settings"),
                                         QStringLiteral("LoadOnStartup")};
// "Batch File Confirmation": whether the confirmation window shows itself.
inline const SettingsEntry showConfirmation{QStringLiteral("TolvaneConfirm"),
                                            QStringLiteral("ShowWindow")};
// "Enable Tray Icon Confirmation": whether the Enable Tray Icon dialog shows itself.
inline const SettingsEntry enableTrayDialog{QStringLiteral("TrayIconSettings"),
                                            QStringLiteral("Enable")};
// The code page batch files are written in, when it is not the one the user's
// language gives. Only ever put there by hand.
inline const SettingsEntry codePage{QStringLiteral("Settings"), QStringLiteral("CodePage")};
// Where the last batch file went.
inline const SettingsEntry lastBatchPath{QStringLiteral("Path/Filename"), QStringLiteral("Batch")};
// The folder of the help file, put there by an installation, ending in a separator.
inline const SettingsEntry installDirectory{QStringLiteral("InstallDirectory"),
                                            QStringLiteral("Directory")};
// The unload marker (see UnloadMarker).
inline const SettingsEntry unloadMarker{QStringLiteral("TolvaneConfirmSettings"),
                                        QStringLiteral("Settings")};

} // namespace SettingsEntries
