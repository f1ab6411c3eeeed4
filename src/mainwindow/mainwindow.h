#pragma once

#include "core/batchfile.h"
#include "core/stepanswers.h"
#include "ui/form.h"
#include "ui/mainwindowlink.h"

#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
struct WrittenBatchFile;

// The main window: the four steps from which a batch file is made.
class MainWindow : public QMainWindow, public Form, public MainWindowLink
{
    Q_OBJECT

public:
    explicit MainWindow(Forms &forms);

    QLineEdit *driveEdit() const { return m_driveEdit; }
    QLineEdit *directoryEdit() const { return m_directoryEdit; }
    QLineEdit *programEdit() const { return m_programEdit; }
    QLineEdit *batchFileNameEdit() const { return m_batchFileNameEdit; }

    QPushButton *okButton() const { return m_okButton; }
    QPushButton *browseDirectoryButton() const { return m_browseDirectoryButton; }
    QPushButton *browseProgramButton() const { return m_browseProgramButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    QAction *exitAction() const { return m_exitAction; }
    QAction *batchConfirmationAction() const { return m_batchConfirmationAction; }
    QAction *enableTrayConfirmationAction() const { return m_enableTrayConfirmationAction; }
    QAction *loadOnStartupAction() const { return m_loadOnStartupAction; }
    QAction *helpContentsAction() const { return m_helpContentsAction; }
    QAction *contactAuthorAction() const { return m_contactAuthorAction; }
    QAction *licenceAction() const { return m_licenceAction; }
    QAction *aboutAction() const { return m_aboutAction; }

    bool isShown() const override;
    void showInFront() override;
    void sendToTray() override;
    bool isLoadOnStartupChecked() const override;
    void setLoadOnStartupChecked(bool checked) override;
    void setEnableTrayConfirmationChecked(bool checked) override;
    void setBatchConfirmationChecked(bool checked) override;
    QString directoryStep() const override;
    void setDirectoryStep(const QString &directory) override;
    void setProgramStep(const QString &program) override;

    // The four answers as they stand.
    StepAnswers answers() const;

protected:
    void loadHandling() override;
    void unloadHandling() override;

private:
    void buildSteps(QWidget *client);
    void buildButtons(QWidget *client);
    void buildMenus();
    void setTabOrder();
    std::array<QLineEdit *, 4> stepEdits() const;
    void sayWhenAnswersAreCut();
    void okClicked();
    void refuse(const BatchFile::Refusal &refusal);
    void handOver(const WrittenBatchFile &file);
    void loadOnStartupClicked();
    void enableTrayConfirmationClicked();

    QLineEdit *m_driveEdit = nullptr;
    QLineEdit *m_directoryEdit = nullptr;
    QLineEdit *m_programEdit = nullptr;
    QLineEdit *m_batchFileNameEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_browseDirectoryButton = nullptr;
    QPushButton *m_browseProgramButton = nullptr;
    QPushButton *m_exitButton = nullptr;

    QAction *m_exitAction = nullptr;
    QAction *m_batchConfirmationAction = nullptr;
    QAction *m_enableTrayConfirmationAction = nullptr;
    QAction *m_loadOnStartupAction = nullptr;
    QAction *m_helpContentsAction = nullptr;
    QAction *m_contactAuthorAction = nullptr;
    QAction *m_licenceAction = nullptr;
    QAction *m_aboutAction = nullptr;
};
