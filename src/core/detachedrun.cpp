#include "detachedrun.h"

#include "errortail.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>

namespace {

constexpr qint64 readLimit = 16 * 1024; // the end of a long output is enough
constexpr std::chrono::milliseconds pollInterval{200};

QByteArray endOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    file.seek(std::max<qint64>(0, file.size() - readLimit));
    return file.read(readLimit);
}

} // namespace

DetachedRun::DetachedRun(QObject *parent, std::chrono::milliseconds watch)
    : QObject(parent), m_watch(watch)
{
    m_poll.setInterval(pollInterval);
    connect(&m_poll, &QTimer::timeout, this, &DetachedRun::check);
}

std::optional<QString> DetachedRun::start(const QStringList &arguments, const QString &folder)
{
    Q_ASSERT(!arguments.isEmpty());
    if (!m_outputFolder.isValid())
        return tr("There is no private folder for the program's messages: %1")
            .arg(m_outputFolder.errorString());
    QProcess process;
    process.setProgram(arguments.first());
    process.setArguments(arguments.mid(1));
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(m_outputFolder.filePath(QStringLiteral("stderr")));
    // Forks twice and waits only for the program to be executed; the program
    // is then a child of the system's, in a session of its own.
    if (!process.startDetached(&m_pid))
        return tr("%1 could not be started: %2").arg(arguments.first(), process.errorString());
    m_sinceStart.start();
    m_poll.start();
    return std::nullopt;
}

void DetachedRun::check()
{
    if (hasEnded()) {
        if (const QString said =
                ErrorTail::of(endOf(m_outputFolder.filePath(QStringLiteral("stderr"))));
            !said.isEmpty())
            Q_EMIT endedWithError(said);
        stopWatching();
    } else if (m_sinceStart.hasExpired(m_watch.count())) {
        stopWatching();
    }
}

// Not our child, so there is no exit status to collect: only whether the
// process is gone, or left as a zombie by a system that does not reap it.
bool DetachedRun::hasEnded() const
{
    if (::kill(pid_t(m_pid), 0) != 0 && errno == ESRCH)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) state ...": the name may hold anything, so read after its end.
    const QByteArray line = stat.read(4096);
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && end + 2 < line.size() &&
           (line.at(end + 2) == 'Z' || line.at(end + 2) == 'X');
}

// The program may go on writing to its output file; once the folder is
// removed that file lives on only until the program closes it.
void DetachedRun::stopWatching()
{
    m_poll.stop();
    deleteLater();
}
