#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

// The hidden window whose creation writes the first-run defaults. It is never
// shown and stays loaded for the rest of the run.
class FirstRunDefaultsWindow : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::FirstRunDefaults;

    explicit FirstRunDefaultsWindow(Forms &forms);

protected:
    void loadHandling() override;
};
