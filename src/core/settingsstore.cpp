#include "settingsstore.h"

#include "regularfile.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The file keeps a value on one line, trimmed of blanks around it. A value
// with blanks at either end, or one that is itself quoted, is written inside
// one more pair of quotes, which reading takes off again.
bool isQuoted(const QString &text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

QString encodeValue(const QString &value)
{
    const bool needsQuotes =
        isQuoted(value) ||
        (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString decodeValue(const QString &stored)
{
    return isQuoted(stored) ? stored.mid(1, stored.size() - 2) : stored;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
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

struct FileStamp
{
    bool exists = false;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    static FileStamp of(const QString &path)
    {
        struct stat info
        {
        };
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return {};
        return {true, quint64(info.st_ino), qint64(info.st_size),
                qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
    }
    bool operator==(const FileStamp &) const = default;
};

std::optional<struct statvfs> diskOf(const QString &folder)
{
    struct statvfs disk
    {
    };
    if (::statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return std::nullopt;
    return disk;
}

bool isReadOnlyDisk(const QString &folder)
{
    const auto disk = diskOf(folder);
    return disk && (disk->f_flag & ST_RDONLY);
}

bool isFullDisk(const QString &folder)
{
    const auto disk = diskOf(folder);
    return disk && (disk->f_bavail == 0 || (disk->f_files > 0 && disk->f_favail == 0));
}

// Makes the folder and those above it; empty when it is there, else why not.
QString makeFolder(const QString &folder)
{
    if (QDir().mkpath(folder))
        return {};
    QString existing = folder;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    if (!QFileInfo(existing).isDir())
        return tr("%1 is not a folder").arg(native(existing));
    if (isReadOnlyDisk(existing))
        return tr("the folder %1 is on a read-only disk").arg(native(existing));
    if (isFullDisk(existing))
        return tr("the disk is full");
    return tr("you have no permission to create a folder in %1").arg(native(existing));
}

// A lock file whose owner died: no process holds its lock any more. Qt takes
// over one that names a dead process at once, but a writer killed between
// creating the file and writing its name into it leaves an empty one, which
// Qt would honour for half a minute. Qt's holder keeps a flock() on the file
// from the moment it creates it, so a free flock on a file that has stood
// nameless for a moment means no one is coming back for it.
bool isAbandoned(QLockFile &lock)
{
    qint64 pid = 0;
    QString host, app;
    if (lock.getLockInfo(&pid, &host, &app))
        return false;
    const QDateTime created = QFileInfo(lock.fileName()).lastModified();
    const qint64 age = created.isValid() ? qAbs(created.msecsTo(QDateTime::currentDateTime())) : 0;
    const int fd = ::open(QFile::encodeName(lock.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const int locked = ::flock(fd, LOCK_SH | LOCK_NB);
    const bool unsupported = locked != 0 && errno != EWOULDBLOCK;
    ::close(fd);
    if (locked == 0)
        return age > 100;
    return unsupported && age > 500; // no flock here: go by age alone
}

enum class LockResult { Taken, Held, Failed };

// Tries for the lock, for a moment at most when asked to wait: another
// instance holds it for a millisecond or two while it saves.
LockResult takeLock(QLockFile &lock, bool briefly, QString &reason)
{
    const QString folder = QFileInfo(lock.fileName()).absolutePath();
    QDeadlineTimer deadline(briefly ? 250 : 0);
    for (;;) {
        // Qt reads a lock file it finds to learn whether its owner lives; a
        // pipe or a device there would hold that read forever.
        struct stat info
        {
        };
        if (::lstat(QFile::encodeName(lock.fileName()).constData(), &info) == 0 &&
            !S_ISREG(info.st_mode)) {
            reason = S_ISLNK(info.st_mode)
                         ? tr("the lock file %1 is a link, not a file").arg(native(lock.fileName()))
                         : tr("the lock file %1 is %2, not a file")
                               .arg(native(lock.fileName()),
                                    RegularFile::describe(RegularFile::kindOf(lock.fileName())));
            return LockResult::Failed;
        }
        // Qt reads a lock file's lines whole; one that holds a few hundred
        // bytes more than a process id and two names is no lock of ours.
        if (info.st_size > 4096) {
            reason = tr("the lock file %1 is larger than 4 KiB, so it is not a lock file")
                         .arg(native(lock.fileName()));
            return LockResult::Failed;
        }
        if (lock.tryLock(0))
            return LockResult::Taken;
        switch (lock.error()) {
        case QLockFile::PermissionError:
            reason =
                isReadOnlyDisk(folder)
                    ? tr("the folder %1 is on a read-only disk").arg(native(folder))
                    : tr("you have no permission to write in the folder %1").arg(native(folder));
            return LockResult::Failed;
        case QLockFile::UnknownError:
            // Qt says no more; a full disk is by far the likeliest reason.
            reason = isFullDisk(folder)
                         ? tr("the disk is full")
                         : tr("the lock file %1 cannot be created").arg(native(lock.fileName()));
            return LockResult::Failed;
        default:
            break;
        }
        if (isAbandoned(lock)) {
            lock.removeStaleLockFile();
            continue;
        }
        if (deadline.hasExpired())
            return LockResult::Held;
        QThread::msleep(2);
    }
}

// Files of the temporary name QSaveFile gives its new file, left behind when
// a writer was killed between writing the file and renaming it into place.
// Taken away while the lock is held, so no one is writing one of them.
void removeLeftovers(const QString &filePath)
{
    const QFileInfo file(filePath);
    const QRegularExpression name(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = file.absoluteDir();
    const QStringList entries = folder.entryList({file.fileName() + QStringLiteral(".*")},
                                                 QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const QFileInfo leftover(folder.filePath(entry));
        if (name.match(entry).hasMatch() && !leftover.isSymLink() && leftover.isFile())
            folder.remove(entry);
    }
}

} // namespace

// The file as lines, each kept with its own line end. Reading looks through
// the lines; a change rewrites, adds or removes only the lines of its entry or
// section, so comments, blank lines and lines the store does not understand
// stay where they are, the last line of the file too.
class IniDocument
{
public:
    // Nothing when the text is not one the store can keep whole: a NUL, or
    // bytes that are not UTF-8 (a binary file).
    static std::optional<IniDocument> parse(const QByteArray &data, QString &why)
    {
        if (const qsizetype nul = data.indexOf('\0'); nul >= 0) {
            why = tr("it holds a NUL byte at offset %1").arg(nul);
            return std::nullopt;
        }
        // A byte order mark stays, to be written back.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString text = decoder(data);
        if (decoder.hasError()) {
            why = tr("it is not UTF-8 text");
            return std::nullopt;
        }
        IniDocument document;
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
                continue;
            const bool crlf = c == QLatin1Char('\r') && i + 1 < text.size() &&
                              text.at(i + 1) == QLatin1Char('\n');
            document.m_lines.append(
                {text.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c)});
            if (document.m_lines.size() == 1 && crlf)
                document.m_newline = QStringLiteral("\r\n");
            i += crlf ? 1 : 0;
            start = i + 1;
        }
        if (start < text.size())
            document.m_lines.append({text.mid(start), {}});
        return document;
    }

    QByteArray serialize() const
    {
        QString out;
        for (const Line &line : m_lines)
            out += line.text + line.end;
        return out.toUtf8();
    }

    std::optional<QString> value(const QString &section, const QString &key) const
    {
        std::optional<QString> found;
        QString current;
        for (const Line &line : m_lines) {
            const Parsed parsed = parseLine(line.text);
            if (parsed.kind == Kind::Section)
                current = parsed.name;
            else if (parsed.kind == Kind::Entry && sameName(current, section) &&
                     sameName(parsed.name, key))
                found = decodeValue(parsed.value); // the last one counts
        }
        return found;
    }

    void set(const QString &section, const QString &key, const QString &value)
    {
        const QString text = key + QLatin1Char('=') + encodeValue(value);
        qsizetype lastHeader = -1, lastInBlock = -1, entry = -1;
        QString current;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const Parsed parsed = parseLine(m_lines[i].text);
            if (parsed.kind == Kind::Section) {
                current = parsed.name;
                if (sameName(current, section))
                    lastHeader = lastInBlock = i;
            } else if (parsed.kind == Kind::Entry && sameName(current, section)) {
                lastInBlock = i;
                if (sameName(parsed.name, key))
                    entry = i;
            }
        }
        if (entry >= 0) {
            const Parsed parsed = parseLine(m_lines[entry].text);
            const QString &line = m_lines[entry].text;
            m_lines[entry].text =
                leadingBlanks(line) + parsed.name + QLatin1Char('=') + encodeValue(value);
            return;
        }
        if (lastHeader >= 0) {
            insert(lastInBlock + 1, {text});
            return;
        }
        // A new section stands two blank lines below what comes before it.
        QStringList added;
        qsizetype blanks = 0;
        while (blanks < m_lines.size() && isBlank(m_lines.size() - 1 - blanks))
            ++blanks;
        for (qsizetype i = blanks; !m_lines.isEmpty() && i < 2; ++i)
            added.append(QString());
        added.append(QLatin1Char('[') + section + QLatin1Char(']'));
        added.append(text);
        insert(m_lines.size(), added);
    }

    // Every block of the section goes, from its header to its last entry;
    // what follows that (a comment about the next section) stays.
    void removeSection(const QString &section)
    {
        for (qsizetype header = m_lines.size() - 1; header >= 0; --header) {
            const Parsed parsed = parseLine(m_lines[header].text);
            if (parsed.kind != Kind::Section || !sameName(parsed.name, section))
                continue;
            qsizetype last = header;
            for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
                const Kind kind = parseLine(m_lines[i].text).kind;
                if (kind == Kind::Section)
                    break;
                if (kind == Kind::Entry)
                    last = i;
            }
            qsizetype first = header;
            // The blank lines that set the block apart go with it.
            while (last + 1 < m_lines.size() && isBlank(last + 1))
                ++last;
            if (last + 1 == m_lines.size()) {
                while (first > 0 && isBlank(first - 1))
                    --first;
                if (first > 0)
                    m_lines[first - 1].end =
                        m_lines[last].end.isEmpty() ? QString() : m_lines[first - 1].end;
            }
            const bool markGoes = first == 0 && m_lines[0].text.startsWith(QChar(0xFEFF));
            m_lines.remove(first, last - first + 1);
            if (markGoes && !m_lines.isEmpty())
                m_lines[0].text.prepend(QChar(0xFEFF));
        }
    }

    FileStamp stamp;

private:
    enum class Kind { Other, Section, Entry };
    struct Parsed
    {
        Kind kind = Kind::Other;
        QString name;
        QString value;
    };
    struct Line
    {
        QString text;
        QString end; // the line's own end: "\n", "\r\n", "\r", or none on the last line
    };

    // Blank lines, comments (";" or "#") and lines with neither "[...]" nor
    // "name=" are kept but not used.
    static Parsed parseLine(const QString &line)
    {
        QString text = line.trimmed();
        if (text.startsWith(QChar(0xFEFF))) // a byte order mark before the first line
            text = text.mid(1).trimmed();
        if (text.isEmpty() || text.front() == QLatin1Char(';') || text.front() == QLatin1Char('#'))
            return {};
        if (text.front() == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            if (close < 0)
                return {};
            return {Kind::Section, text.mid(1, close - 1).trimmed(), {}};
        }
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const QString name = text.left(equals).trimmed();
        if (equals <= 0 || name.isEmpty())
            return {};
        return {Kind::Entry, name, text.mid(equals + 1).trimmed()};
    }

    static QString leadingBlanks(const QString &line)
    {
        qsizetype n = 0;
        // Indentation, and a byte order mark the first line may start with.
        static const QString kept = QStringLiteral(" \t\uFEFF");
        while (n < line.size() && kept.contains(line.at(n)))
            ++n;
        return line.left(n);
    }

    bool isBlank(qsizetype i) const { return m_lines[i].text.trimmed().isEmpty(); }

    void insert(qsizetype at, const QStringList &texts)
    {
        if (at > 0 && m_lines[at - 1].end.isEmpty())
            m_lines[at - 1].end = m_newline;
        for (qsizetype i = 0; i < texts.size(); ++i)
            m_lines.insert(at + i, {texts[i], m_newline});
    }

    QList<Line> m_lines;
    QString m_newline = QStringLiteral("\n"); // as the file's first line ends
};

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
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/Tolvane/Tolvane.ini");
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

QString SettingsStore::read(const SettingsEntry &entry) const
{
    return read(entry.section, entry.key, entry.fallback);
}

bool SettingsStore::write(const SettingsEntry &entry, const QString &value)
{
    return write(entry.section, entry.key, value);
}

bool SettingsStore::isOn(const SettingsEntry &entry, std::optional<bool> fallback) const
{
    const bool fallbackOn = fallback.value_or(entry.fallback == SettingsEntries::on);
    switch (entry.reading) {
    case Reading::ExactText:
        return read(entry) == entry.onText;
    case Reading::Boolean:
        return readBool(entry.section, entry.key, fallbackOn);
    case Reading::EqualsOne:
        return readEqualsOne(entry.section, entry.key, fallbackOn ? 1 : 0);
    case Reading::Text:
        break;
    }
    return !read(entry).isEmpty();
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
    if (reason.isEmpty() && isReadOnlyDisk(info.absolutePath())) {
        reason = tr("the folder %1 is on a read-only disk").arg(native(info.absolutePath()));
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
    reason = isFullDisk(QFileInfo(m_filePath).absolutePath()) ? tr("the disk is full")
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
