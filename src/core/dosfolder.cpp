#include "dosfolder.h"

#include "codepoints.h"
#include "dospath.h"
#include "drivemap.h"
#include "hostname.h"
#include "translator.h"

#include <QRegularExpression>

namespace {

constexpr Translator tr{"DosFolder"};

} // namespace

QString DosFolder::dosPath() const
{
    return DosPath::join(drive, names);
}

QString DosFolder::hostPath(const DriveMap &drives) const
{
    QString path = drives.folderOf(drive).value_or(QString());
    for (const QString &name : names)
        path += (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + name;
    return path;
}

DosFolder DosFolder::ancestor(qsizetype depth) const
{
    return {drive, names.mid(0, depth)};
}

DosFolder DosFolder::child(const QString &name) const
{
    return {drive, names + QStringList{name}};
}

bool DosFolder::isDriveString(const QString &text)
{
    static const QRegularExpression driveString(QStringLiteral("^[A-Za-z]:(\\s.*)?$"));
    return driveString.match(text).hasMatch();
}

std::optional<DosFolder> DosFolder::resolve(const DriveMap &drives, const QString &text,
                                            const DosFolder &processFolder, QString *error)
{
    QString path = text.trimmed();
    if (isDriveString(path)) {
        const QChar letter = path.at(0).toLower();
        if (!drives.folderOf(letter)) {
            *error = tr("drive %1: is not mapped to any folder").arg(letter);
            return std::nullopt;
        }
        return processFolder.drive == letter ? processFolder : DosFolder{letter, {}};
    }
    const bool hasDrive = path.size() >= 2 && path.at(1) == QLatin1Char(':');
    if (!hasDrive) { // relative or rooted: through the drive that holds it
        const DriveMap::HostPath host = drives.toHost(path);
        const auto dos = host.ok() ? drives.toDos(host.path) : std::nullopt;
        if (!dos) {
            *error = host.ok() ? tr("it lies on no drive") : host.error;
            return std::nullopt;
        }
        path = *dos;
    }
    const DriveMap::HostPath host = drives.toHost(path);
    if (!host.ok()) {
        *error = host.error;
        return std::nullopt;
    }
    // toHost builds the host path on the drive's folder, names matched on disk.
    DosFolder folder{path.at(0).toLower(), {}};
    const QString root = drives.folderOf(folder.drive).value_or(QString());
    folder.names = host.path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return folder;
}

DosFolder DosFolder::processFolder(const DriveMap &drives)
{
    if (const auto current = drives.currentPlace())
        return {current->letter, current->names};
    return {drives.currentDosFolder().at(0), {}};
}

QString DosFolder::whyNotDos(const QString &name)
{
    if (HostName::hasRawBytes(name))
        return tr("bytes that are not UTF-8 text");
    for (const QChar c : name) {
        if (c == QLatin1Char('\\'))
            return tr("a backslash");
        if (QStringView(u"<>:\"|?*/").contains(c))
            return tr("the character \"%1\"").arg(c);
        if (c.category() == QChar::Other_Control)
            return tr("the control character %1").arg(CodePoints::name(c.unicode()));
    }
    return {};
}

std::optional<QString> DosFolder::firstNameNotDos() const
{
    for (const QString &name : names) {
        if (!whyNotDos(name).isEmpty())
            return name;
    }
    return std::nullopt;
}
