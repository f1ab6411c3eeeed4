#pragma once

#include "ui/form.h"
#include "ui/mainwindowlink.h"

#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class HelpControl;
class TrayIconControl;

// The main window: the four steps from which a batch file is made.
class MainWindow : public QMainWindow, public Form, public MainWindowLink
{
    Q_OBJECT

public:
    explicit MainWindow(Forms &forms);

    QLineEdit *txtDrive() const { return m_txtDrive; }
    QLineEdit *txtDirectory() const { return m_txtDirectory; }
    QLineEdit *txtExe() const { return m_txtExe; }
    QLineEdit *txtDirectorySave() const { return m_txtDirectorySave; }

    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdBrowse() const { return m_cmdBrowse; }
    QPushButton *cmdBrowse2() const { return m_cmdBrowse2; }
    QPushButton *cmdExit() const { return m_cmdExit; }

    QAction *mnuExit() const { return m_mnuExit; }
    QAction *mnuTolvaneConfirmation() const { return m_mnuTolvaneConfirmation; }
    QAction *mnuEnableTrayIconConfirmation() const { return m_mnuEnableTrayIconConfirmation; }
    QAction *mnuLoadTrayIcononStartup() const { return m_mnuLoadTrayIcononStartup; }
    QAction *mnuTolvaneHelp() const { return m_mnuTolvaneHelp; }
    QAction *mnuContactingtheAuthor() const { return m_mnuContactingtheAuthor; }
    QAction *mnuLicenseAgreement() const { return m_mnuLicenseAgreement; }
    QAction *mnuAboutTolvane() const { return m_mnuAboutTolvane; }

    bool isShown() const override;
    void showInFront() override;
    void sendToTray() override;
    bool isLoadOnStartupChecked() const override;
    void setLoadOnStartupChecked(bool checked) override;
    void setEnableTrayConfirmationChecked(bool checked) override;
    void setBatchConfirmationChecked(bool checked);
    QString directoryStep() const override;
    void setDirectoryStep(const QString &directory) override;
    void setProgramStep(const QString &program) override;

    TrayIconControl *trayIconControl() const { return m_trayIconControl; }
    HelpControl *helpControl() const { return m_helpControl; }

protected:
    void loadHandling() override;
    void unloadHandling() override;

private:
    void buildSteps(QWidget *client);
    void buildButtons(QWidget *client);
    void buildMenus();
    void setTabOrder();
    void applyTrayPreference();
    void loadOnStartupClicked();
    void enableTrayConfirmationClicked();
    void trayControlActivated();

    QLineEdit *m_txtDrive = nullptr;
    QLineEdit *m_txtDirectory = nullptr;
    QLineEdit *m_txtExe = nullptr;
    QLineEdit *m_txtDirectorySave = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdBrowse = nullptr;
    QPushButton *m_cmdBrowse2 = nullptr;
    QPushButton *m_cmdExit = nullptr;

    QAction *m_mnuExit = nullptr;
    QAction *m_mnuTolvaneConfirmation = nullptr;
    QAction *m_mnuEnableTrayIconConfirmation = nullptr;
    QAction *m_mnuLoadTrayIcononStartup = nullptr;
    QAction *m_mnuTolvaneHelp = nullptr;
    QAction *m_mnuContactingtheAuthor = nullptr;
    QAction *m_mnuLicenseAgreement = nullptr;
    QAction *m_mnuAboutTolvane = nullptr;

    TrayIconControl *m_trayIconControl = nullptr;
    HelpControl *m_helpControl = nullptr;
};
