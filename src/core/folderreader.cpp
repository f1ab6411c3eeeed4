#include "folderreader.h"

#include "hostname.h"
#include "wildcardpattern.h"

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include <dirent.h>
#include <sys/stat.h>

struct FolderReader::Job
{
    QString folder;
    Kind kind;
    std::atomic_bool dropped{false};
    std::mutex mutex;
    FolderReader *receiver; // null once dropped; guarded by mutex
};

FolderReader::FolderReader(Kind kind, QObject *parent) : QObject(parent), m_kind(kind) {}

FolderReader::~FolderReader()
{
    cancel();
}

// Each read gets a detached thread of its own rather than a QThread owned by
// the window: opendir() on a dead network mount can block in the kernel for
// minutes, and a window closing meanwhile must neither wait for that thread
// nor destroy it while it runs. The thread shares nothing with the window but
// the Job, and posts to the window only while the window still wants it.
void FolderReader::read(const QString &hostFolder)
{
    cancel();
    m_job = std::make_shared<Job>();
    m_job->folder = hostFolder;
    m_job->kind = m_kind;
    m_job->receiver = this;
    try {
        std::thread([job = m_job] { run(job); }).detach();
    } catch (const std::system_error &failure) { // out of threads: say so as for any read
        post(m_job, Event::Failed, {}, failure.code().value());
    }
}

void FolderReader::cancel()
{
    if (!m_job)
        return;
    m_job->dropped = true;
    {
        const std::lock_guard lock(m_job->mutex);
        m_job->receiver = nullptr;
    }
    m_job.reset();
}

// Runs on the worker thread.
void FolderReader::post(const std::shared_ptr<Job> &job, Event event, NameBatch names, int error)
{
    if (event == Event::Names)
        std::sort(names.begin(), names.end());
    const std::lock_guard lock(job->mutex);
    FolderReader *receiver = job->receiver;
    if (!receiver)
        return;
    // Queued calls to an object are dropped when it is destroyed, and the
    // receiver cannot be destroyed while the lock is held. The call holds the
    // job, so no later job can take its address before the call is gone.
    QMetaObject::invokeMethod(
        receiver,
        [receiver, job, event, names = std::move(names), error] {
            receiver->deliver(job.get(), event, names, error);
        },
        Qt::QueuedConnection);
}

namespace {

// Folders, and files a program can be: plain files and links to them, never a
// device, a pipe, a socket or a link that leads nowhere.
bool isOfKind(DIR *dir, const dirent *entry, FolderReader::Kind kind)
{
    const bool wantFolders = kind == FolderReader::Kind::Folders;
    if (entry->d_type == DT_DIR || entry->d_type == DT_REG)
        return (entry->d_type == DT_DIR) == wantFolders;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info;
    if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0)
        return false;
    return wantFolders ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

} // namespace

// Runs on the worker thread. The first batch goes out quickly so the list
// fills at once; later ones are larger, since each costs the window a merge.
void FolderReader::run(const std::shared_ptr<Job> &job)
{
    DIR *dir = opendir(HostName::toBytes(job->folder).constData());
    if (!dir) {
        post(job, Event::Failed, {}, errno);
        return;
    }
    post(job, Event::Opened);
    NameBatch batch;
    QElapsedTimer sinceBatch;
    sinceBatch.start();
    qint64 interval = 15;
    int error = 0;
    while (!job->dropped) {
        errno = 0;
        const dirent *entry = readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        if (entry->d_name[0] == '.') // ".", ".." and hidden names
            continue;
        if (!isOfKind(dir, entry, job->kind))
            continue;
        const QString name = HostName::fromBytes(entry->d_name);
        batch.push_back({name, WildcardPattern::fold(name)});
        if (sinceBatch.elapsed() >= interval) {
            post(job, Event::Names, std::exchange(batch, {}));
            sinceBatch.restart();
            interval = 100;
        }
    }
    closedir(dir);
    if (job->dropped)
        return;
    if (!batch.empty())
        post(job, Event::Names, std::move(batch));
    post(job, error ? Event::Failed : Event::Finished, {}, error);
}

void FolderReader::deliver(const Job *job, Event event, const NameBatch &names, int error)
{
    if (job != m_job.get())
        return; // from a read that has since been dropped
    switch (event) {
    case Event::Opened:
        Q_EMIT opened();
        break;
    case Event::Names:
        Q_EMIT namesRead(names);
        break;
    case Event::Finished:
        m_job.reset();
        Q_EMIT finished();
        break;
    case Event::Failed:
        m_job.reset();
        Q_EMIT failed(error);
        break;
    }
}

QString FolderReader::describeError(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return tr("access is denied");
    case ENOENT:
        return tr("it does not exist");
    case ENOTDIR:
        return tr("it is not a folder");
    case EIO:
    case ENOTCONN:
    case ESTALE:
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ETIMEDOUT:
        return tr("the drive is not available");
    default: { // the system's words, made to run on in a sentence
        QString words = QString::fromLocal8Bit(std::strerror(error));
        if (!words.isEmpty())
            words[0] = words[0].toLower();
        return words;
    }
    }
}
