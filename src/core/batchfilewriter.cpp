#include "batchfilewriter.h"

#include "batchfilesaver.h"
#include "drivemap.h"
#include "preferences.h"
#include "programfile.h"

BatchFileWriter::BatchFileWriter(SettingsStore &settings, const DriveMap &drives)
    : m_settings(settings), m_drives(drives)
{}

BatchFileWriter::Outcome BatchFileWriter::write(const StepAnswers &answers) const
{
    Preferences preferences(m_settings);
    const ProgramFile program(m_drives, answers[1], answers[2]);
    const BatchFile batch(answers,
                          CodePage::fromText(preferences.codePage()).value_or(CodePage::forUser()),
                          program.kind());
    if (auto refusal = batch.check())
        return *refusal;
    // A folder the drive map cannot reach (an unmapped drive, a spelling
    // that fits two folders) is step 2's to mend.
    if (const DriveMap::HostPath folder = m_drives.toHost(answers[1]); !folder.ok())
        return BatchFile::Refusal{2, tr("Step 2 cannot be reached: %1.").arg(folder.error), 0,
                                  answers[1].size()};
    const QString target = batch.targetPath();
    if (const auto problem = BatchFileSaver(m_drives).save(target, *batch.bytes()))
        return BatchFile::Refusal{
            0, tr("The batch file %1 could not be created.\n\n%2").arg(target, *problem)};
    preferences.setLastBatchPath(target);
    return WrittenBatchFile{target, m_drives.toHost(target).path, program.kind(),
                            program.hostPath()};
}
