#include "testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <pwd.h>

QByteArray TestFiles::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestFiles::write(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), data.size());
}

void TestFiles::copy(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    QVERIFY(QFile::copy(from, to));
}

void TestFiles::writeScript(const QString &path, const QByteArray &body)
{
    write(path, "#!/bin/sh\n" + body + '\n');
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

bool TestFiles::canRunAsNobody()
{
    return getpwnam("nobody") &&
           !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

void TestFiles::runAsNobody(const QStringList &arguments)
{
    const passwd *user = getpwnam("nobody");
    QVERIFY(user);
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                QStringList{QStringLiteral("--reuid=%1").arg(user->pw_uid),
                            QStringLiteral("--regid=%1").arg(user->pw_gid),
                            QStringLiteral("--clear-groups"),
                            QCoreApplication::applicationFilePath()} +
                    arguments);
    QVERIFY2(child.waitForFinished(60000), qPrintable(child.errorString()));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
    QVERIFY2(!output.contains("SKIP"), output.constData());
}
