#pragma once

#include "windowkind.h"

#include <QString>

// What other windows may ask of the main window. The main window implements
// it; the tray, the pickers and the confirmation reach it through
// Forms::load<MainWindowLink>().
class MainWindowLink
{
public:
    static constexpr WindowKind kind = WindowKind::MainWindow;

    virtual bool isShown() const = 0;
    // Shows the window as it is (restored if minimised), on top and focused.
    virtual void showInFront() = 0;
    // Hides the window; it stays loaded with everything typed into it.
    virtual void sendToTray() = 0;

    virtual bool isLoadOnStartupChecked() const = 0;
    virtual void setLoadOnStartupChecked(bool checked) = 0;
    virtual void setEnableTrayConfirmationChecked(bool checked) = 0;
    virtual void setBatchConfirmationChecked(bool checked) = 0;

    virtual QString directoryStep() const = 0;
    virtual void setDirectoryStep(const QString &directory) = 0;
    virtual void setProgramStep(const QString &program) = 0;

protected:
    ~MainWindowLink() = default;
};
