#include "harness.h"

#include "tray/batchmonitor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

Harness::Harness()
{
    QDir().mkpath(driveC());
    drives = DriveMap({{QLatin1Char('c'), driveC()}, {QLatin1Char('z'), QStringLiteral("/")}});
    makeRun();
}

Harness::~Harness()
{
    ghostGuard.reset();
    forms.reset();
    settle();
}

void Harness::makeRun()
{
    ghostGuard.reset();
    forms.reset();
    settings = std::make_unique<SettingsStore>(iniPath());
    services = std::make_unique<Services>(
        Services{*settings, messages, trayArea, drives, helpViewer, [this] { ++quitCalls; }});
    forms = std::make_unique<Forms>(*services);
    ghostGuard = std::make_unique<GhostGuard>(*forms, trayArea);
}

void Harness::start()
{
    forms->get<BatchMonitor>();
}

void Harness::restart()
{
    trayArea.hideIcon();
    quitCalls = 0;
    makeRun();
    settle();
    start();
}

void Harness::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QString Harness::iniPath() const
{
    return dir.filePath(QStringLiteral("Tolvane/Tolvane.ini"));
}

QString Harness::driveC() const
{
    return dir.filePath(QStringLiteral("drive_c"));
}

QString Harness::read(const QString &section, const QString &key) const
{
    return SettingsStore(iniPath()).read(section, key, QStringLiteral("<absent>"));
}

bool Harness::hasEntry(const QString &section, const QString &key) const
{
    return read(section, key) != QStringLiteral("<absent>");
}

QString Harness::iniText() const
{
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Harness::writeIni(const QByteArray &text)
{
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}
