#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// A broken promise: say which and stop, so libFuzzer keeps the input.
[[noreturn]] inline void fuzzFault(const char *where, const QString &detail)
{
    std::fprintf(stderr, "\n*** %s: %s\n", where, detail.toUtf8().constData());
    std::abort();
}

// Qt's warnings about odd file names are expected here by the million.
inline void silenceQtWarnings()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg)
            fuzzFault("Qt", text);
    });
}
