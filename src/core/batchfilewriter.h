#pragma once

#include "batchfile.h"
#include "stepanswers.h"
#include "writtenbatchfile.h"

#include <QCoreApplication>

#include <variant>

class DriveMap;
class SettingsStore;

// What "&OK" makes of the four answers: they are checked, the batch file is
// put where they say and its path is remembered. A refusal says why not, and
// then nothing was written or stored.
class BatchFileWriter
{
    Q_DECLARE_TR_FUNCTIONS(BatchFileWriter)

public:
    using Outcome = std::variant<BatchFile::Refusal, WrittenBatchFile>;

    BatchFileWriter(SettingsStore &settings, const DriveMap &drives);

    Outcome write(const StepAnswers &answers) const;

private:
    SettingsStore &m_settings;
    const DriveMap &m_drives;
};
