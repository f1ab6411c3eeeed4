#pragma once

#include "core/batchfile.h"

#include <QCoreApplication>

class Forms;
class MainWindow;

// What the main window's "&OK" does: check the four answers, put the batch
// file where they say, remember its path, close the main window and hand over
// to the confirmation. Anything that goes wrong is told to the user, and the
// main window stays open with the answers as they were typed.
class BatchFileWriter
{
    Q_DECLARE_TR_FUNCTIONS(BatchFileWriter)

public:
    explicit BatchFileWriter(Forms &forms);

    // True when the file was written and the confirmation has run.
    bool confirmBatchFileSettings(MainWindow &window);

private:
    void refuse(MainWindow &window, const BatchFile::Refusal &refusal);

    Forms &m_forms;
};
