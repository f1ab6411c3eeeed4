#include "fuzzcheck.h"

#include <QCoreApplication>

// Shared by every target: Qt wants an application object (QLockFile names
// its owner after it), and its warnings about odd inputs are expected.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    silenceQtWarnings();
    return 0;
}
