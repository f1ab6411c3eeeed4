#include "settingsstore.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <sys/stat.h>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

// The file keeps a value on one line, trimmed of blanks around it. A value
// with blanks at either end, or one that is itself quoted, is written inside
// one more pair of quotes, which reading takes off again.
bool isQuoted(const QString &text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

std::string encodeValue(const QString &value)
{
    const bool needsQuotes =
        isQuoted(value) ||
        (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    return (needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value).toStdString();
}

QString decodeValue(const char *stored)
{
    const QString text = QString::fromUtf8(stored);
    return isQuoted(text) ? text.mid(1, text.size() - 2) : text;
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

// Waits up to ten seconds for the lock, looking again every few milliseconds:
// another instance holds it only for a millisecond or two (Qt's own waiting
// sleeps a tenth of a second at a time). Qt sees at once that a lock whose
// owner has died is stale, but a writer killed between creating the lock file
// and writing its name into it leaves an empty file that Qt would honour for
// half a minute. A live writer names itself at once, so a lock file still
// nameless after half a second belongs to no one and is removed.
bool takeLock(QLockFile &lock)
{
    QDeadlineTimer deadline(10000);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        qint64 pid = 0;
        QString host, app;
        const QDateTime created = QFileInfo(lock.fileName()).lastModified();
        if (!lock.getLockInfo(&pid, &host, &app) && created.isValid() &&
            qAbs(created.msecsTo(QDateTime::currentDateTime())) > 500)
            lock.removeStaleLockFile();
        QThread::msleep(2);
    }
    return true;
}

} // namespace

// The parsed file, kept private so only this file sees SimpleIni.
class IniDocument
{
public:
    IniDocument()
    {
        m_ini.SetUnicode(true);
        m_ini.SetSpaces(false);
    }

    bool parse(const QByteArray &data)
    {
        m_ini.Reset();
        return m_ini.LoadData(data.constData(), size_t(data.size())) >= 0;
    }

    QByteArray serialize() const
    {
        std::string out;
        m_ini.Save(out, false);
        return QByteArray::fromStdString(out);
    }

    std::optional<QString> value(const QString &section, const QString &key) const
    {
        const char *stored =
            m_ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
        return stored ? std::optional(decodeValue(stored)) : std::nullopt;
    }

    void set(const QString &section, const QString &key, const QString &value)
    {
        m_ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                       encodeValue(value).c_str());
    }

    void removeSection(const QString &section)
    {
        m_ini.Delete(section.toUtf8().constData(), nullptr, true);
    }

    FileStamp stamp;

private:
    CSimpleIniA m_ini;
};

SettingsStore::SettingsStore(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_document(std::make_unique<IniDocument>())
{
    refresh();
}

SettingsStore::~SettingsStore() = default;

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
    // value short; the program never writes either.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
        value.contains(QChar::Null))
        return false;
    return save(section, key, &value);
}

bool SettingsStore::deleteSection(const QString &section)
{
    return save(section, {}, nullptr);
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

// Picks up changes another running instance has saved since the last look.
// The stamp saves re-reading for every read; a write re-reads in any case,
// since a quick save by another instance can leave the stamp as it was (an
// inode used again, a clock that ticks every few milliseconds).
void SettingsStore::refresh(bool always) const
{
    if (m_memoryOnly)
        return;
    const FileStamp stamp = FileStamp::of(m_filePath);
    if (!always && stamp == m_document->stamp)
        return;
    QByteArray data;
    if (stamp.exists) {
        QFile file(m_filePath);
        if (!file.open(QIODevice::ReadOnly)) {
            const_cast<SettingsStore *>(this)->fail(
                tr("Tolvane could not read its settings from %1 (%2). It starts with its "
                   "default settings and keeps your changes only until it ends.")
                    .arg(QDir::toNativeSeparators(m_filePath), file.errorString()));
            return;
        }
        data = file.readAll();
    }
    auto fresh = std::make_unique<IniDocument>();
    if (!fresh->parse(data)) {
        const_cast<SettingsStore *>(this)->fail(
            tr("Tolvane could not understand its settings file %1. It starts with its "
               "default settings and leaves the file as it is.")
                .arg(QDir::toNativeSeparators(m_filePath)));
        return;
    }
    fresh->stamp = stamp;
    m_document = std::move(fresh);
}

// One change, applied to the latest file under the lock and saved at once.
bool SettingsStore::save(const QString &section, const QString &key, const QString *value)
{
    auto apply = [&](IniDocument &document) {
        if (value)
            document.set(section, key, *value);
        else
            document.removeSection(section);
    };
    if (m_memoryOnly) {
        apply(*m_document);
        return false;
    }
    const QFileInfo info(m_filePath);
    QString reason;
    if (!QDir().mkpath(info.absolutePath())) {
        reason = tr("the folder cannot be created");
    } else if (info.exists() && (!info.isWritable() || !(info.permissions() & QFile::WriteOwner))) {
        // A file its owner made read-only stays as it is, even for root.
        reason = tr("the file is read-only");
    } else {
        QLockFile lock(m_filePath + QStringLiteral(".lock"));
        if (!takeLock(lock)) {
            reason = tr("the file stays locked by another program");
        } else {
            refresh(true);
            if (m_memoryOnly) { // the re-read failed and said so already
                apply(*m_document);
                return false;
            }
            apply(*m_document);
            QSaveFile file(m_filePath);
            if (file.open(QIODevice::WriteOnly) && file.write(m_document->serialize()) >= 0 &&
                file.commit()) {
                m_document->stamp = FileStamp::of(m_filePath);
                return true;
            }
            reason = file.errorString();
        }
    }
    apply(*m_document);
    fail(tr("Tolvane could not save its settings to %1 (%2). It keeps your changes only "
            "until it ends.")
             .arg(QDir::toNativeSeparators(m_filePath), reason));
    return false;
}

void SettingsStore::fail(const QString &message)
{
    m_memoryOnly = true;
    if (!m_problem.isEmpty())
        return;
    m_problem = message;
    Q_EMIT problemOccurred(message);
}
