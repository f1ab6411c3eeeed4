#pragma once

#include <QString>

// How a reader takes a stored text. Only "1" and "0" are ever written as
// flags, and on those the three flag readings agree; they differ on text put
// there by hand.
enum class Reading {
    Text,      // the text itself
    ExactText, // on when the text equals the entry's on-text, letter for letter
    Boolean,   // on when the text is a number other than zero
    EqualsOne, // on when the text is the number 1
};

// One way the program reads and writes an entry of its settings file: where
// it is, what a reader gets when it is absent, and how it is read.
struct SettingsEntry
{
    QString section;
    QString key;
    QString fallback;
    Reading reading;
    QString onText = {};
};

// Every entry the program keeps in its settings file, in one place. An entry
// that is read in two ways has a row for each.
namespace SettingsEntries {

inline const QString on = QStringLiteral("1");
inline const QString off = QStringLiteral("0");
inline QString flag(bool value)
{
    return value ? on : off;
}

// Written once, by the first-run defaults; never changed afterwards.
inline const SettingsEntry firstTime{QStringLiteral("Settings"),
                                     QStringLiteral("Settings"),
                                     {},
                                     Reading::ExactText,
                                     QStringLiteral("FirstTime")};
// Whether the main window's load puts the tray icon up: only an exact "1" does.
inline const SettingsEntry trayIconAtStart{
    QStringLiteral("Settings"), QStringLiteral("LoadOnStartup"), {}, Reading::ExactText, on};
// Both "Load Tray Icon on Startup" checkmarks.
inline const SettingsEntry loadOnStartup{QStringLiteral("Settings"),
                                         QStringLiteral("LoadOnStartup"), on, Reading::Boolean};
// The "Batch File Confirmation" checkmark.
inline const SettingsEntry showConfirmation{QStringLiteral("TolvaneConfirm"),
                                            QStringLiteral("ShowWindow"), on, Reading::Boolean};
// Whether the confirmation window shows itself; a reader passes its check box's
// state as the fallback.
inline const SettingsEntry confirmationShowsItself{
    QStringLiteral("TolvaneConfirm"), QStringLiteral("ShowWindow"), on, Reading::EqualsOne};
// The "Enable Tray Icon Confirmation" checkmark.
inline const SettingsEntry enableTrayDialog{QStringLiteral("TrayIconSettings"),
                                            QStringLiteral("Enable"), on, Reading::Boolean};
// Whether the Enable Tray Icon dialog shows itself. It reads the key under its
// lower-case spelling; the store does not mind the case.
inline const SettingsEntry enableDialogShowsItself{
    QStringLiteral("TrayIconSettings"), QStringLiteral("enable"), on, Reading::EqualsOne};
// The code page batch files are written in, when it is not the one the user's
// language gives: a number naming a page whose ASCII range is ASCII. Anything
// else there is ignored. Only ever put there by hand.
inline const SettingsEntry codePage{
    QStringLiteral("Settings"), QStringLiteral("CodePage"), {}, Reading::Text};
// Where the last batch file went.
inline const SettingsEntry lastBatchPath{
    QStringLiteral("Path/Filename"), QStringLiteral("Batch"), {}, Reading::Text};
// The folder of the help file, put there by an installation, ending in a separator.
inline const SettingsEntry installDirectory{
    QStringLiteral("InstallDirectory"), QStringLiteral("Directory"), {}, Reading::Text};
// The unload marker: set by the program just before it loads or unloads the
// main window itself, so that window's load and unload skip their own work.
inline const SettingsEntry unloadMarker{QStringLiteral("TolvaneConfirmSettings"),
                                        QStringLiteral("Settings"),
                                        {},
                                        Reading::ExactText,
                                        QStringLiteral("OK")};

} // namespace SettingsEntries
