#include "settingsstore.h"

#include "diskcheck.h"
#include "inidocument.h"
#include "regularfile.h"
#include "settingsfileaccess.h"
#include "userfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>

using namespace SettingsFileAccess;

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool hasLineBreakOrNul(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
           text.contains(QChar::Null);
}

// Names that read back as written: no blanks around them, nothing that ends
// a section name or a key early or would make the line a comment.
bool isStorableSection(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !hasLineBreakOrNul(name) &&
           !name.contains(QLatin1Char(']'));
}

bool isStorableKey(const QString &name)
{
    static const QString leaders = QStringLiteral("[;#");
    return !name.isEmpty() && name == name.trimmed() && !hasLineBreakOrNul(name) &&
           !name.contains(QLatin1Char('=')) && !leaders.contains(name.front());
}

} // namespace

SettingsStore::SettingsStore(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_document(std::make_unique<IniDocument>())
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] { flush(Wait::Not); });
    refresh();
}

// A change still waiting gets one last chance; a problem is no longer said.
SettingsStore::~SettingsStore()
{
    m_closing = true;
    if (!m_refused && !m_pending.isEmpty())
        flush(Wait::Briefly);
}

QString SettingsStore::defaultFilePath()
{
    return UserFolders::configHome() + QStringLiteral("/Tolvane/Tolvane.ini");
}

QString SettingsStore::read(const QString &section, const QString &key,
                            const QString &fallback) const
{
    refresh();
    return m_document->value(section, key).value_or(fallback);
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    // A line break cannot be kept in a one-line entry, and a NUL would cut the
    // value short; the program never writes either, nor such names.
    if (hasLineBreakOrNul(value) || !isStorableSection(section) || !isStorableKey(key))
        return false;
    return change({section, key, value});
}

bool SettingsStore::deleteSection(const QString &section)
{
    if (!isStorableSection(section))
        return false;
    return change({section, {}, std::nullopt});
}

bool SettingsStore::isExactly(const QString &section, const QString &key,
                              const QString &literal) const
{
    return read(section, key) == literal;
}

bool SettingsStore::readBool(const QString &section, const QString &key, bool fallback) const
{
    const auto number = toNumber(read(section, key));
    return number ? *number != 0 : fallback;
}

bool SettingsStore::readEqualsOne(const QString &section, const QString &key, int fallback) const
{
    const auto number = toNumber(read(section, key));
    return number ? *number == 1 : fallback == 1;
}

QString SettingsStore::read(const SettingsEntry &entry, const QString &fallback) const
{
    return read(entry.section, entry.key, fallback);
}

bool SettingsStore::write(const SettingsEntry &entry, const QString &value)
{
    return write(entry.section, entry.key, value);
}

std::optional<double> SettingsStore::toNumber(const QString &text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    return text.trimmed().toDouble();
}

namespace {

void apply(IniDocument &document, const QString &section, const QString &key,
           const std::optional<QString> &value)
{
    if (value)
        document.set(section, key, *value);
    else
        document.removeSection(section);
}

} // namespace

// Picks up changes another running instance has saved since the last look.
// The stamp saves re-reading for every read; a write re-reads in any case,
// since a quick save by another instance can leave the stamp as it was (an
// inode used again, a clock that ticks every few milliseconds).
void SettingsStore::refresh(bool always) const
{
    const FileStamp stamp = FileStamp::of(m_filePath);
    if (!always && stamp == m_document->stamp)
        return;
    m_document->stamp = stamp; // also when refused: a thing that stays as it is is looked at once
    load();
}

// The file as it is now, with the changes still waiting on top; the document
// in memory stays as it was when the file cannot be used.
bool SettingsStore::load() const
{
    const FileStamp stamp = m_document->stamp;
    QByteArray data;
    if (stamp.exists) {
        const RegularFile::Content content = RegularFile::read(m_filePath, largestFile);
        if (content.kind != RegularFile::Kind::Regular || content.tooLarge) {
            m_refused = true;
            report(tr("Tolvane did not read %1: %2, so it is not a settings file. Tolvane starts "
                      "with its default settings and leaves %1 as it is.")
                       .arg(native(m_filePath), RegularFile::refusal(content, largestFile)));
            return false;
        }
        if (!content.ok()) {
            m_refused = true;
            report(tr("Tolvane could not read its settings from %1 (%2). It starts with its "
                      "default settings and keeps your changes only until it ends.")
                       .arg(native(m_filePath), content.error));
            return false;
        }
        data = content.data;
    }
    QString why;
    std::optional<IniDocument> fresh = IniDocument::parse(data, why);
    if (!fresh) {
        m_refused = true;
        report(tr("Tolvane could not understand its settings file %1 (%2). It starts with its "
                  "default settings and leaves the file as it is.")
                   .arg(native(m_filePath), why));
        return false;
    }
    m_refused = false;
    for (const Change &change : m_pending)
        apply(*fresh, change.section, change.key, change.value);
    fresh->stamp = stamp;
    *m_document = std::move(*fresh);
    return true;
}

bool SettingsStore::change(const Change &change)
{
    apply(*m_document, change.section, change.key, change.value);
    m_pending.append(change);
    // While another program keeps the lock, a new change does not wait for it.
    return flush(m_lockHeldSince.isValid() ? Wait::Not : Wait::Briefly);
}

// Saves the changes waiting in memory, applied to the latest file under the lock.
bool SettingsStore::flush(Wait wait)
{
    if (m_pending.isEmpty())
        return true;
    const QFileInfo info(m_filePath);
    QString reason = makeFolder(info.absolutePath());
    if (reason.isEmpty() && DiskCheck::isReadOnlyDisk(info.absolutePath())) {
        reason = tr("the folder %1 is on a read-only disk").arg(native(info.absolutePath()));
    } else if (reason.isEmpty() && info.exists() && DiskCheck::isReadOnlyDisk(m_filePath)) {
        // The file alone may be mounted read-only over a writable folder.
        reason = tr("the file is on a read-only disk");
    } else if (reason.isEmpty() && info.exists() &&
               (!info.isWritable() || !(info.permissions() & QFile::WriteOwner))) {
        // A file its owner made read-only stays as it is, even for root.
        reason = tr("the file is read-only");
    }
    if (reason.isEmpty()) {
        QLockFile lock(m_filePath + QStringLiteral(".lock"));
        switch (takeLock(lock, wait == Wait::Briefly, reason)) {
        case LockResult::Taken:
            m_lockHeldSince.invalidate();
            if (writeUnderLock(reason))
                return true;
            break;
        case LockResult::Held:
            lockIsHeld(lock);
            return false;
        case LockResult::Failed:
            m_lockHeldSince.invalidate();
            break;
        }
    }
    if (!reason.isEmpty())
        cannotSave(reason);
    scheduleRetry();
    return false;
}

// False with an empty reason when the file turned out not to be one to
// replace; that was said when it was read.
bool SettingsStore::writeUnderLock(QString &reason)
{
    m_document->stamp = FileStamp::of(m_filePath);
    if (!load())
        return false;
    QSaveFile file(m_filePath);
    const QByteArray bytes = m_document->serialize();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        m_document->stamp = FileStamp::of(m_filePath);
        m_pending.clear();
        m_said.clear();
        m_retries = 0;
        m_retry.stop();
        removeLeftovers(m_filePath);
        return true;
    }
    reason = DiskCheck::isFullDisk(QFileInfo(m_filePath).absolutePath()) ? tr("the disk is full")
                                                                         : file.errorString();
    return false;
}

void SettingsStore::cannotSave(const QString &reason)
{
    report(tr("Tolvane could not save its settings to %1 (%2). It keeps your changes and saves "
              "them as soon as it can.")
               .arg(native(m_filePath), reason));
}

// Someone else keeps the lock: the change waits, the window does not. Only a
// lock kept for long is worth a word.
void SettingsStore::lockIsHeld(QLockFile &lock)
{
    if (!m_lockHeldSince.isValid())
        m_lockHeldSince.start();
    if (m_lockHeldSince.elapsed() >= 5000) {
        qint64 pid = 0;
        QString host, app;
        QString holder = tr("another program");
        if (lock.getLockInfo(&pid, &host, &app))
            holder = app.isEmpty() ? tr("another program (process %1)").arg(pid)
                                   : tr("another program, %1 (process %2)").arg(app).arg(pid);
        cannotSave(tr("the file is locked by %1").arg(holder));
    }
    m_retry.start(100);
}

// Looks again soon, then less and less often, up to every ten seconds.
void SettingsStore::scheduleRetry()
{
    if (m_closing)
        return;
    m_retry.start(qMin(10000, 250 << qMin(m_retries, 6)));
    ++m_retries;
}

void SettingsStore::report(const QString &message) const
{
    if (m_closing || message == m_said)
        return;
    m_said = message;
    m_problem = message;
    Q_EMIT const_cast<SettingsStore *>(this)->problemOccurred(message);
}
