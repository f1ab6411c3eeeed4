#include "batchfilewriter.h"

#include "confirmationwindow.h"
#include "core/batchfilesaver.h"
#include "core/drivemap.h"
#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "mainwindow.h"
#include "ui/forms.h"
#include "ui/messageboxes.h"

#include <QLineEdit>

BatchFileWriter::BatchFileWriter(Forms &forms) : m_forms(forms) {}

bool BatchFileWriter::confirmBatchFileSettings(MainWindow &window)
{
    using namespace SettingsEntries;
    Services &services = m_forms.services();
    const BatchFile batch(
        {window.txtDrive()->text(), window.txtDirectory()->text(), window.txtExe()->text(),
         window.txtDirectorySave()->text()},
        CodePage::fromText(services.settings.read(codePage)).value_or(CodePage::forUser()));
    if (const auto refusal = batch.check()) {
        refuse(window, *refusal);
        return false;
    }
    const QString target = batch.targetPath();
    if (const auto problem = BatchFileSaver(services.drives).save(target, *batch.bytes())) {
        services.messages.critical(
            tr("The batch file %1 could not be created.\n\n%2").arg(target, *problem));
        return false;
    }

    services.settings.write(lastBatchPath, target);
    // The main window's unload finds the marker and leaves the program running.
    UnloadMarker::set(services.settings);
    m_forms.unload<MainWindow>();
    // A confirmation still loaded from an earlier file makes way for this one.
    m_forms.unload<ConfirmationWindow>();
    ConfirmationWindow *confirmation = m_forms.load<ConfirmationWindow>();
    if (confirmation->isVisible()) // the question path offers nothing to run
        confirmation->setBatchFile(
            {target, services.drives.toHost(target).path, ProgramKind::Windows, {}});
    return true;
}

void BatchFileWriter::refuse(MainWindow &window, const BatchFile::Refusal &refusal)
{
    m_forms.services().messages.critical(refusal.message);
    QLineEdit *const fields[] = {window.txtDrive(), window.txtDirectory(), window.txtExe(),
                                 window.txtDirectorySave()};
    QLineEdit *field = fields[refusal.step - 1];
    field->setFocus();
    if (refusal.length > 0) // show the user which character it is
        field->setSelection(int(refusal.position), int(refusal.length));
}
