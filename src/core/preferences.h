#pragma once

#include <QString>

#include <optional>

class SettingsStore;

// The user's preferences and what the program remembers between runs, one
// name each, over the settings file. A flag is only ever written as "1" or
// "0"; where its uses read it in different ways, each way is a function here,
// and the ways differ only on text put into the file by hand.
class Preferences
{
public:
    explicit Preferences(SettingsStore &store) : m_store(store) {}

    // The defaults of a first run have been written: "FirstTime", letter for letter.
    bool hasFirstRunDefaults() const;
    // Marks the first run done and switches on the tray icon at start, the
    // confirmation window and the Enable Tray Icon dialog, in this order.
    void writeFirstRunDefaults();

    // "Load Tray Icon on Startup" as both of its checkmarks show it: on for
    // any number but 0, and when absent.
    bool loadOnStartup() const;
    // Whether a main window's load puts the tray icon up: only an exact "1"
    // does, so an absent or hand-made value leaves the icon off although the
    // checkmarks are on.
    bool trayIconAtLoad() const;
    void setLoadOnStartup(bool on);

    // "Batch File Confirmation" as its checkmark shows it: on for any number
    // but 0, and when absent.
    bool batchConfirmation() const;
    // Whether the confirmation window shows itself: only the number 1 counts;
    // when absent, the window's own check box (ticked when it is created) decides.
    bool confirmationShowsItself(bool boxTicked) const;
    void setBatchConfirmation(bool on);

    // "Enable Tray Icon Confirmation" as its checkmark shows it: on for any
    // number but 0, and when absent.
    bool enableTrayConfirmation() const;
    // Whether the Enable Tray Icon dialog shows itself: only the number 1
    // counts; when absent, the dialog's own check box decides.
    bool enableDialogShowsItself(bool boxTicked) const;
    void setEnableTrayConfirmation(bool on);

    // The code page named by hand for batch files, as stored; empty when none.
    QString codePage() const;
    QString lastBatchPath() const;
    void setLastBatchPath(const QString &path);
    // Put there by an installation; ends in a separator when set.
    QString installDirectory() const;

private:
    SettingsStore &m_store;
};
