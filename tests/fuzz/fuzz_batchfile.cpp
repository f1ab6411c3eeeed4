// The batch file made from four arbitrary answers. Every accepted set gives
// exactly seven lines, each ended by CR LF, whose bytes read back in their
// code page as the answers typed (the folder quoted when it must be, the
// drive without blanks around it); every refused set says why, naming a step
// and, for a character, one that is really there.

#include "fuzzcheck.h"

#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/codepage.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QRegularExpression>

#include <array>

namespace {

// UTF-8 mostly; raw UTF-16 now and then, for lone surrogate halves.
QString answer(FuzzedDataProvider &in)
{
    const std::string bytes = in.ConsumeRandomLengthString(96);
    if (in.ConsumeBool())
        return QString::fromStdString(bytes);
    return QString(reinterpret_cast<const QChar *>(bytes.data()), qsizetype(bytes.size() / 2));
}

// A single-byte Western page, one with Cyrillic and one of two bytes a letter.
CodePage codePage(FuzzedDataProvider &in)
{
    static const std::array pages{
        CodePage::fromNumber(437).value(), CodePage::fromNumber(850).value(),
        CodePage::fromNumber(866).value(), CodePage::fromNumber(932).value()};
    return pages[in.ConsumeIntegralInRange<std::size_t>(0, pages.size() - 1)];
}

// COMMAND.COM takes the folder bare, with % doubled.
QString cdLine(const QString &folder, ProgramKind kind)
{
    static const QRegularExpression special(QStringLiteral("[&|<>^%]"));
    if (kind == ProgramKind::Dos)
        return QStringLiteral("cd ") + QString(folder).replace(u'%', QStringLiteral("%%"));
    if (!folder.contains(special))
        return QStringLiteral("cd ") + folder;
    return QStringLiteral("cd \"") + QString(folder).replace(u'%', QStringLiteral("%%")) +
           QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const CodePage page = codePage(in);
    std::array<QString, BatchFile::stepCount> steps;
    for (QString &step : steps)
        step = answer(in);
    const ProgramKind kind = in.ConsumeBool() ? ProgramKind::Dos : ProgramKind::Windows;
    const BatchFile batch(steps, page, kind);
    BatchFileSaver::nameProblem(batch.targetPath()); // only no crash

    const auto refusal = batch.check();
    const auto bytes = batch.bytes();
    if (refusal) {
        if (bytes)
            fuzzFault("refused", QStringLiteral("refused answers still gave bytes"));
        if (refusal->message.trimmed().isEmpty() || refusal->step < 1 ||
            refusal->step > BatchFile::stepCount)
            fuzzFault(
                "refused",
                QStringLiteral("step %1, message \"%2\"").arg(refusal->step).arg(refusal->message));
        const QString &text = steps[size_t(refusal->step - 1)];
        if (refusal->position < 0 || refusal->length < 0 ||
            refusal->position + refusal->length > text.size() ||
            (text.isEmpty() != (refusal->length == 0)))
            fuzzFault("refused", QStringLiteral("step %1 (%2 units): position %3, length %4")
                                     .arg(refusal->step)
                                     .arg(text.size())
                                     .arg(refusal->position)
                                     .arg(refusal->length));
        return 0;
    }
    if (!bytes)
        fuzzFault("accepted", QStringLiteral("accepted answers gave no bytes"));

    const QString text = page.decode(*bytes);
    if (!text.endsWith(QStringLiteral("\r\n")))
        fuzzFault("lines", QStringLiteral("the last line has no CR LF"));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    if (lines.size() != 7)
        fuzzFault("lines", QStringLiteral("%1 lines").arg(lines.size()));
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            fuzzFault("lines", QStringLiteral("a bare CR or LF inside \"%1\"").arg(line));
    }
    const QStringList expected{QStringLiteral("@echo off"),
                               QStringLiteral("rem This batch file was created using Tolvane!"),
                               QStringLiteral("rem You can get your own copy at ") +
                                   BatchFile::homeHost(),
                               steps[0].trimmed(),
                               cdLine(steps[1], kind),
                               steps[2],
                               QStringLiteral("exit")};
    if (lines != expected)
        fuzzFault("round trip", lines.join(QStringLiteral(" | ")));
    if (batch.targetPath() != steps[1] + QLatin1Char('\\') + steps[3])
        fuzzFault("target", batch.targetPath());
    if (batch.targetPath().size() >= 260)
        fuzzFault("target",
                  QStringLiteral("a path of %1 characters").arg(batch.targetPath().size()));
    for (const QString &line : {steps[0], steps[1], steps[2]}) {
        qsizetype carets = 0;
        while (carets < line.size() && line.at(line.size() - 1 - carets) == u'^')
            ++carets;
        if (carets % 2)
            fuzzFault("lines", QStringLiteral("\"%1\" joins the next line").arg(line));
    }
    return 0;
}
