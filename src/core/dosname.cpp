#include "dosname.h"

#include "codepoints.h"
#include "translator.h"

namespace {

constexpr Translator tr{"DosName"};

constexpr qsizetype longestBase = 8;
constexpr qsizetype longestExtension = 3;

QString characterProblem(const QString &name)
{
    static const QString reserved = QStringLiteral("\"*+,/:;<=>?[\\]|");
    for (qsizetype i = 0; i < name.size();) {
        const auto [character, length] = CodePoints::at(name, i);
        if (character == U' ')
            return tr("it holds a blank");
        if (character < 0x21 || character > 0x7E)
            return tr("it holds \"%1\" (%2), which is not plain ASCII")
                .arg(QChar::isSurrogate(character) ? QString() : name.mid(i, length),
                     CodePoints::name(character));
        if (reserved.contains(QChar(character)))
            return tr("it holds the character \"%1\"").arg(QChar(character));
        i += length;
    }
    return {};
}

} // namespace

namespace DosName {

QString problem(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    if (QString problem = characterProblem(name); !problem.isEmpty())
        return problem;
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot == 0)
        return tr("it has nothing before its dot");
    if (dot >= 0 && name.indexOf(QLatin1Char('.'), dot + 1) >= 0)
        return tr("it has more than one dot");
    const qsizetype base = dot < 0 ? name.size() : dot;
    if (base > longestBase)
        return dot < 0 ? tr("it has more than %1 characters").arg(longestBase)
                       : tr("it has more than %1 characters before the dot").arg(longestBase);
    if (dot >= 0 && name.size() - dot - 1 > longestExtension)
        return tr("it has more than %1 characters after the dot").arg(longestExtension);
    return {};
}

} // namespace DosName
