#include "runcommand.h"

#include "dospath.h"
#include "drivemap.h"
#include "hostname.h"
#include "writtenbatchfile.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool endsInAny(const QString &name, std::initializer_list<QLatin1StringView> endings)
{
    return std::any_of(endings.begin(), endings.end(), [&](QLatin1StringView ending) {
        return name.endsWith(ending, Qt::CaseInsensitive);
    });
}

// DOSBox runs what it is told with -c as lines of a batch file of its own, so
// a percent sign there starts a variable unless it is doubled.
QString forDosBoxLine(QString text)
{
    return text.replace(u'%', QStringLiteral("%%"));
}

} // namespace

RunCommand RunCommand::refused(QString problem)
{
    RunCommand command;
    command.m_problem = std::move(problem);
    return command;
}

RunCommand RunCommand::forFile(const WrittenBatchFile &file, const DriveMap &drives)
{
    // A process is given its folder and arguments as text, which cannot carry
    // the bytes of a name that is not UTF-8.
    const QString folder = QFileInfo(file.hostPath).path();
    for (const QString &path : {folder, drives.winePrefix()}) {
        if (HostName::hasRawBytes(path))
            return refused(tr("The folder %1 has a name that is not UTF-8 text, which cannot "
                              "be handed to another program.")
                               .arg(HostName::forDisplay(path)));
    }
    RunCommand command =
        file.kind == ProgramKind::Dos ? forDosBox(file, drives) : forWine(file, drives);
    if (command.ok())
        command.m_folder = folder;
    return command;
}

RunCommand RunCommand::forWine(const WrittenBatchFile &file, const DriveMap &drives)
{
    // Wine takes a name without one of these for a program of its own.
    if (const QString name = DosPath::lastPart(file.dosPath);
        !endsInAny(name, {QLatin1StringView(".bat"), QLatin1StringView(".cmd")}))
        return refused(tr("Wine runs a batch file only when its name ends in .bat or .cmd, "
                          "and %1 does not.")
                           .arg(name));
    // Without a prefix the drives are Tolvane's own guess (c: the home
    // folder), which Wine does not share.
    if (drives.winePrefix().isEmpty())
        return refused(tr("There is no Wine prefix, so Wine would not find the file where "
                          "Tolvane put it: set one up with winecfg, then start Tolvane again."));
    if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
        return refused(tr("Wine is not installed; the Debian package wine brings it."));
    RunCommand command;
    command.m_interpreter = QStringLiteral("Wine");
    // Not "wine cmd /c": cmd splits its command line again at & ( ^ and
    // blanks, so folders holding them would not be found.
    command.m_arguments = {QStringLiteral("env"),
                           QStringLiteral("WINEPREFIX=") + drives.winePrefix(),
                           QStringLiteral("wine"), file.dosPath};
    return command;
}

RunCommand RunCommand::forDosBox(const WrittenBatchFile &file, const DriveMap &drives)
{
    if (const QString name = DosPath::lastPart(file.dosPath);
        !name.endsWith(QLatin1StringView(".bat"), Qt::CaseInsensitive))
        return refused(
            tr("DOSBox runs a batch file only when its name ends in .bat, and %1 does not.")
                .arg(name));
    const QString &path = file.dosPath;
    if (path.size() < 3 || !path.at(0).isLetter() || path.at(0).unicode() > 0x7f ||
        path.at(1) != u':')
        return refused(tr("%1 names no drive, so DOSBox would not know what to mount.").arg(path));
    const QChar letter = path.at(0).toLower();
    if (letter == u'z')
        return refused(tr("DOSBox keeps drive Z: for itself, so it cannot run a batch file "
                          "from drive z:."));
    const auto folder = drives.folderOf(letter);
    if (!folder)
        return refused(tr("Drive %1: stands for no folder.").arg(letter));
    // DOSBox reads the folder between double quotes and knows no way to
    // escape one inside them.
    if (folder->contains(u'"') || folder->contains(u'\n') || folder->contains(u'\r'))
        return refused(tr("DOSBox cannot mount the folder %1 as drive %2:, because its name "
                          "holds a double quote or a line break.")
                           .arg(*folder, letter));
    if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty())
        return refused(tr("DOSBox is not installed; the Debian package dosbox brings it."));
    RunCommand command;
    command.m_interpreter = QStringLiteral("DOSBox");
    // The file's own "exit" ends DOSBox once the program is done.
    command.m_arguments = {QStringLiteral("dosbox"), QStringLiteral("-c"),
                           QStringLiteral("mount %1 \"%2\"").arg(letter, forDosBoxLine(*folder)),
                           QStringLiteral("-c"), forDosBoxLine(path)};
    return command;
}
