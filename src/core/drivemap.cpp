#include "drivemap.h"

#include "dospath.h"
#include "hostname.h"
#include "translator.h"
#include "userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

struct DriveMap::RealFolders
{
    std::mutex mutex;
    QStringList folders; // by drive; empty while not known or when it cannot be
};

namespace {

constexpr Translator tr{"DriveMap"};

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

// The part of `path` below `folder`, or nothing when `folder` does not hold it.
std::optional<QString> below(const QString &folder, const QString &path)
{
    if (folder == QStringLiteral("/"))
        return path.mid(1);
    if (path == folder)
        return QString();
    if (path.startsWith(folder) && path.at(folder.size()) == QLatin1Char('/'))
        return path.mid(folder.size() + 1);
    return std::nullopt;
}

// The names in a folder, without asking the disk anything about each entry,
// so that a folder of a million entries costs no more than listing it.
template <class Visit> void forEachName(const QString &folder, Visit visit)
{
    DIR *dir = opendir(HostName::toBytes(folder).constData());
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 && !visit(name))
            break;
    }
    closedir(dir);
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// Case is folded by hand, not by the C library, whose rules follow the
// language: in Turkish, I is not the capital of i.
char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool sameAsciiIgnoringCase(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

// Wine compares names by the upper case of each UTF-16 unit, from tables of
// its own that no language changes; its tables keep ASCII to itself (ı and ſ
// do not turn into I and S), and are otherwise Unicode's, as Qt's are.
char16_t upperAsWine(char16_t c)
{
    if (c < 0x80)
        return char16_t(asciiUpper(char(c)));
    const char32_t upper = QChar::toUpper(char32_t(c));
    return upper < 0x80 || upper > 0xFFFF ? c : char16_t(upper);
}

bool sameIgnoringCase(QStringView a, QStringView b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) {
               return upperAsWine(x.unicode()) == upperAsWine(y.unicode());
           });
}

// Where a typed name leads to several entries, in words for the user.
QString alikeInCase(QChar letter, const QStringList &matched, const QString &typed,
                    const QStringList &alike)
{
    QStringList paths;
    for (const QString &name : alike)
        paths.append(HostName::forDisplay(DosPath::join(letter, matched + QStringList{name})));
    const QString last = paths.takeLast();
    return tr("%1 could be %2 or %3, whose names differ only in case; please type the exact name "
              "of the one you mean")
        .arg(HostName::forDisplay(DosPath::join(letter, matched + QStringList{typed})),
             paths.join(QStringLiteral(", ")), last);
}

// The target of a link, read without following it; the entry's own path
// when it is no link.
QString linkTarget(const QString &path)
{
    const QByteArray bytes = HostName::toBytes(path);
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = readlink(bytes.constData(), target.data(), target.size());
    if (size < 0 || size >= target.size())
        return path;
    target.truncate(size);
    const QString text = HostName::fromBytes(target);
    if (text.startsWith(QLatin1Char('/')))
        return text;
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1) + text;
}

} // namespace

DriveMap::DriveMap(QList<Drive> drives)
    : m_drives(std::move(drives)), m_realFolders(std::make_shared<RealFolders>())
{
    for (Drive &drive : m_drives) {
        drive.letter = drive.letter.toLower();
        drive.folder = QDir::cleanPath(drive.folder);
    }
    std::sort(m_drives.begin(), m_drives.end(),
              [](const Drive &a, const Drive &b) { return a.letter < b.letter; });
    resolveRealFolders();
}

// A drive's folder may be reached through links, and resolving them means
// asking the drive itself, which may be a share that no longer answers. Each
// drive is therefore resolved on a thread of its own, left to itself: one
// that hangs holds up nothing, and its drive is matched by its folder as
// written until it answers.
void DriveMap::resolveRealFolders()
{
    m_realFolders->folders = QStringList(m_drives.size(), QString());
    for (qsizetype i = 0; i < m_drives.size(); ++i) {
        const QByteArray folder = HostName::toBytes(m_drives[i].folder);
        try {
            std::thread([real = m_realFolders, i, folder] {
                char *resolved = realpath(folder.constData(), nullptr);
                if (!resolved)
                    return;
                const QString path = HostName::fromBytes(resolved);
                std::free(resolved);
                const std::lock_guard lock(real->mutex);
                real->folders[i] = path;
            }).detach();
        } catch (const std::system_error &) { // out of threads: the folder as written
        }
    }
}

DriveMap DriveMap::fromEnvironment()
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = UserFolders::home() + QStringLiteral("/.wine");
    return fromWinePrefix(prefix, UserFolders::home());
}

DriveMap DriveMap::fromWinePrefix(const QString &prefix, const QString &home)
{
    QList<Drive> drives;
    const QString devices = QDir(prefix).absoluteFilePath(QStringLiteral("dosdevices")) + u'/';
    forEachName(devices, [&](const char *name) {
        const char letter = static_cast<char>(name[0] | 0x20);
        const bool isDrive = letter >= 'a' && letter <= 'z' && name[1] == ':' && name[2] == '\0';
        if (isDrive)
            drives.append({QLatin1Char(name[0]), linkTarget(devices + QLatin1String(name))});
        return true;
    });
    if (drives.isEmpty())
        return DriveMap({{QLatin1Char('c'), home}, {QLatin1Char('z'), QStringLiteral("/")}});
    DriveMap map(drives);
    map.m_winePrefix = QDir::cleanPath(QDir(prefix).absolutePath());
    return map;
}

std::optional<QString> DriveMap::folderOf(QChar letter) const
{
    const QChar wanted = letter.toLower();
    for (const Drive &drive : m_drives) {
        if (drive.letter == wanted)
            return drive.folder;
    }
    return std::nullopt;
}

DriveMap::HostPath DriveMap::toHost(const QString &dosPath) const
{
    if (dosPath.size() >= 2 && isSeparator(dosPath.at(0)) && isSeparator(dosPath.at(1)))
        return {{}, tr("network paths (\\\\server\\share) cannot be used")};

    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const auto parts = dosPath.split(separators, Qt::SkipEmptyParts);
    const bool hasDrive = dosPath.size() >= 2 && dosPath.at(1) == QLatin1Char(':');
    const bool rooted = !dosPath.isEmpty() && isSeparator(dosPath.at(0));
    if (!hasDrive && !rooted) // relative: the host's own rules below the current folder
        return {
            QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + parts.join(QLatin1Char('/'))),
            {}};

    QString path;
    QChar letter;
    if (hasDrive) {
        letter = dosPath.at(0);
        if (!letter.isLetter() || letter.unicode() > 127)
            return {{}, tr("\"%1\" is not a drive letter").arg(dosPath.left(2))};
        const auto folder = folderOf(letter);
        if (!folder)
            return {{}, tr("drive %1 is not mapped to any folder").arg(dosPath.left(2).toLower())};
        path = *folder;
    } else { // rooted without a drive: the root of the drive holding the current folder
        letter = currentDosFolder().at(0);
        path = folderOf(letter).value_or(QStringLiteral("/"));
    }

    QStringList below; // the components under the drive's folder; ".." stops at its root
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = hasDrive && i == 0 ? parts[i].mid(2) : parts[i];
        if (part.isEmpty() || part == QStringLiteral("."))
            continue;
        if (part != QStringLiteral(".."))
            below.append(part);
        else if (!below.isEmpty())
            below.removeLast();
    }
    QStringList matched;
    for (const QString &part : below) {
        QStringList alike;
        const QString name = matchComponent(path, part, &alike);
        if (!alike.isEmpty())
            return {{}, alikeInCase(letter.toLower(), matched, part, alike)};
        matched.append(name);
        path = (path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/')) + name;
    }
    return {path, {}};
}

// An existing entry of that exact name, else the one entry that differs
// only in case, else the name as typed (it may be about to be created); when
// several differ only in case, nothing, and they are given in `alike`, in
// code-point order. Only names are read, never the entries.
QString DriveMap::matchComponent(const QString &folder, const QString &name, QStringList *alike)
{
    struct stat info;
    const QString exact =
        folder + (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + name;
    if (lstat(HostName::toBytes(exact).constData(), &info) == 0)
        return name;
    const QByteArray typed = HostName::toBytes(name);
    const bool typedAscii = isAscii(typed);
    QStringList matches;
    forEachName(folder, [&](const char *entry) {
        const QByteArrayView bytes(entry);
        // Most names are ASCII: those are compared as bytes, without making
        // text of them. An ASCII name may still match one that is not (ı and
        // ſ have I and S as their upper case).
        if (typedAscii && isAscii(bytes)) {
            if (sameAsciiIgnoringCase(bytes, typed))
                matches.append(QString::fromLatin1(bytes));
            return true;
        }
        const QString text = HostName::fromBytes(bytes);
        if (sameIgnoringCase(text, name))
            matches.append(text);
        return true;
    });
    if (matches.size() == 1)
        return matches.first();
    if (matches.isEmpty())
        return name;
    matches.sort();
    *alike = matches;
    return {};
}

std::optional<DriveMap::Place> DriveMap::placeOf(const QString &hostPath) const
{
    const QString clean = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(hostPath));
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    return place(canonical.isEmpty() || canonical == clean ? QStringList{clean}
                                                           : QStringList{clean, canonical});
}

// Each candidate path is matched against every drive's folder as written and,
// once known, as resolved, since a drive's folder may be reached through a
// link; the deepest drive folder wins.
std::optional<DriveMap::Place> DriveMap::place(const QStringList &candidates) const
{
    QStringList realFolders;
    if (m_realFolders) {
        const std::lock_guard lock(m_realFolders->mutex);
        realFolders = m_realFolders->folders;
    }
    const Drive *best = nullptr;
    QString bestRest;
    for (const QString &path : candidates) {
        for (qsizetype i = 0; i < m_drives.size(); ++i) {
            for (const QString &folder : {m_drives[i].folder, realFolders.value(i)}) {
                const auto rest =
                    path.isEmpty() || folder.isEmpty() ? std::nullopt : below(folder, path);
                if (rest && (!best || rest->size() < bestRest.size())) {
                    best = &m_drives[i];
                    bestRest = *rest;
                }
            }
        }
    }
    if (!best)
        return std::nullopt;
    return Place{best->letter, bestRest.split(QLatin1Char('/'), Qt::SkipEmptyParts)};
}

std::optional<QString> DriveMap::toDos(const QString &hostPath) const
{
    const auto found = placeOf(hostPath);
    if (!found)
        return std::nullopt;
    return DosPath::join(found->letter, found->names);
}

// The kernel gives the current folder with its links resolved already.
std::optional<DriveMap::Place> DriveMap::currentPlace() const
{
    char *current = getcwd(nullptr, 0);
    if (!current)
        return std::nullopt;
    const QString path = HostName::fromBytes(current);
    std::free(current);
    return place({path});
}

QString DriveMap::currentDosFolder() const
{
    if (const auto current = currentPlace())
        return DosPath::join(current->letter, current->names);
    return DosPath::join(m_drives.isEmpty() ? QLatin1Char('c') : m_drives.first().letter, {});
}
