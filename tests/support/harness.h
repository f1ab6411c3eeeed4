#pragma once

#include "fakehelpviewer.h"
#include "fakemessageboxes.h"
#include "faketrayarea.h"

#include "app/forms.h"
#include "app/ghostguard.h"
#include "app/settingsstore.h"
#include "creator/drivemap.h"

#include <QTemporaryDir>

#include <memory>

// One run of the program against fakes and a real settings file in a
// temporary folder. start() loads the tray host as the real program does;
// restart() begins a new run on the same settings file.
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
    std::unique_ptr<Services> services;
    std::unique_ptr<Forms> forms;
    std::unique_ptr<GhostGuard> ghostGuard;

private:
    void makeRun();
};
