#include "harness.h"

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
    program.reset();
    settle();
}

void Harness::makeRun()
{
    program.reset();
    settings = std::make_unique<SettingsStore>(iniPath());
    program = std::make_unique<Program>(Services{
        *settings, messages, trayArea, drives, helpViewer, [this] { ++quitCalls; }, {}, {}, {}});
    forms = &program->forms();
}

void Harness::start()
{
    program->start();
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

bool Harness::markerStored() const
{
    return read(SettingsEntries::unloadMarker) == UnloadMarker::text();
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
