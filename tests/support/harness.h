#pragma once

#include "fakehelpviewer.h"
#include "fakemessageboxes.h"
#include "faketrayarea.h"

#include "app/program.h"
#include "core/drivemap.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"

#include <QTemporaryDir>

#include <memory>

// One run of the real program's wiring against fakes and a real settings file
// in a temporary folder. start() starts it as main() does; restart() begins a
// new run on the same settings file.
class Harness
{
public:
    Harness();
    ~Harness();

    void start();
    void restart();

    // Lets deferred work (the ghost check, deleted windows) happen.
    static void settle();

    QString iniPath() const;
    QString driveC() const;
    QString read(const QString &section, const QString &key) const;
    bool hasEntry(const QString &section, const QString &key) const;
    QString read(const SettingsEntry &entry) const { return read(entry.section, entry.key); }
    bool hasEntry(const SettingsEntry &entry) const { return hasEntry(entry.section, entry.key); }
    bool markerStored() const;
    QString iniText() const;
    void writeIni(const QByteArray &text);

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    FakeMessageBoxes messages;
    FakeTrayArea trayArea;
    // c: is drive_c in the temporary folder, z: is /.
    DriveMap drives;
    FakeHelpViewer helpViewer;
    int quitCalls = 0;
    std::unique_ptr<Program> program;
    // The program's window registry.
    Forms *forms = nullptr;

private:
    void makeRun();
};
