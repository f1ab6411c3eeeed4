// A second program that writes the settings file while a test watches it.
//
//   settingswriter churn <ini> <round>
//       Rewrites a fixed set of entries in an endless loop until it is killed,
//       telling its standard output about every write that reached the file.
//   settingswriter hold <ini>
//       Takes the store's lock and keeps it until it is killed.
//   settingswriter count <ini> <section> <key> <times>
//       Waits for a line on standard input, then writes 1..times to one entry,
//       checking before each write that its previous one is still there.
//
// Both print "ready" once the store is open, so the test knows when the real
// work starts.

#include "settingswritercommon.h"

#include "core/settingsstore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

// Unbuffered, so a line the test reads after a kill really was written.
void say(const QByteArray &line)
{
    const QByteArray text = line + '\n';
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t n =
            ::write(STDOUT_FILENO, text.constData() + done, size_t(text.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A write held up for long by the other writer's lock waits in memory and is
// saved by the store's retry; this waits for that as the program's window would.
bool saved(SettingsStore &store, bool written)
{
    QDeadlineTimer deadline(30000);
    while (!written && store.isMemoryOnly() && !deadline.hasExpired()) {
        QThread::msleep(5);
        QCoreApplication::processEvents();
    }
    return written || !store.isMemoryOnly();
}

int fail(const SettingsStore &store, const QString &what)
{
    say("fail " + what.toUtf8() + " | " + store.problem().toUtf8());
    return 1;
}

int churn(const QString &ini, int round)
{
    SettingsStore store(ini);
    say("ready");
    for (int n = 0;; ++n) {
        for (int k = 0; k < ChurnEntries::count; ++k) {
            if (!saved(store, store.write(ChurnEntries::section(k), ChurnEntries::key(k),
                                          ChurnEntries::value(round, n, k))))
                return fail(store, QStringLiteral("write %1 %2").arg(n).arg(k));
            say(QByteArray::number(n) + ' ' + QByteArray::number(k));
        }
    }
}

int count(const QString &ini, const QString &section, const QString &key, int times)
{
    SettingsStore store(ini);
    say("ready");
    QTextStream(stdin).readLine(); // the go-ahead, so both writers start together
    // How often the rest of the file changed between two of our writes: the
    // other process got its turn in between.
    int othersBetween = 0;
    QByteArray rest;
    for (int i = 1; i <= times; ++i) {
        const QString before = store.read(section, key);
        if (i > 1 && before != QString::number(i - 1))
            return fail(store,
                        QStringLiteral("write %1 was lost: found \"%2\"").arg(i - 1).arg(before));
        if (!saved(store, store.write(section, key, QString::number(i))))
            return fail(store, QStringLiteral("write %1 failed").arg(i));
        QByteArray now = contents(ini);
        now.replace(key.toUtf8() + '=' + QByteArray::number(i) + '\n', "");
        if (i > 1 && now != rest)
            ++othersBetween;
        rest = now;
        // A pause, as between a user's clicks, so the other gets its turns.
        std::this_thread::sleep_for(
            std::chrono::microseconds(QRandomGenerator::global()->bounded(3000)));
    }
    say("done " + QByteArray::number(othersBetween));
    return 0;
}

// Takes the store's lock and keeps it until killed.
int hold(const QString &ini)
{
    QLockFile lock(ini + QStringLiteral(".lock"));
    if (!lock.lock())
        return 1;
    say("ready");
    for (;;)
        ::pause();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("churn"))
        return churn(args[2], args[3].toInt());
    if (args.size() == 3 && args[1] == QStringLiteral("hold"))
        return hold(args[2]);
    if (args.size() == 6 && args[1] == QStringLiteral("count"))
        return count(args[2], args[3], args[4], args[5].toInt());
    std::fputs("usage: settingswriter churn <ini> <round> | hold <ini> | count <ini> <section> "
               "<key> <times>\n",
               stderr);
    return 2;
}
