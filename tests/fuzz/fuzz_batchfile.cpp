// The batch file made from four arbitrary answers. Every accepted set gives
// exactly seven lines, each ended by CR LF, whose bytes read back as the
// answers typed; every refused set says why, naming a step and, for a
// character, one that is really there.

#include "fuzzcheck.h"

#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/windows1252.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// UTF-8 mostly; raw UTF-16 now and then, for lone surrogate halves.
QString answer(FuzzedDataProvider &in)
{
    const std::string bytes = in.ConsumeRandomLengthString(96);
    if (in.ConsumeBool())
        return QString::fromStdString(bytes);
    return QString(reinterpret_cast<const QChar *>(bytes.data()), qsizetype(bytes.size() / 2));
}

QString decode(const QByteArray &bytes)
{
    QString text;
    for (const char byte : bytes) {
        const auto character = Windows1252::decode(byte);
        if (!character)
            fuzzFault("decode", QStringLiteral("an unassigned byte 0x%1 was written")
                                    .arg(uchar(byte), 2, 16, QLatin1Char('0')));
        text += QString::fromUcs4(&*character, 1);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    std::array<QString, BatchFile::stepCount> steps;
    for (QString &step : steps)
        step = answer(in);
    const BatchFile batch(steps);
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

    const QString text = decode(*bytes);
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
                               steps[0],
                               QStringLiteral("cd ") + steps[1],
                               steps[2],
                               QStringLiteral("exit")};
    if (lines != expected)
        fuzzFault("round trip", lines.join(QStringLiteral(" | ")));
    if (batch.targetPath() != steps[1] + QLatin1Char('\\') + steps[3])
        fuzzFault("target", batch.targetPath());
    return 0;
}
