#pragma once

#include "form.h"

#include <QWidget>

// The hidden window whose creation writes the first-run defaults. It is never
// shown and stays loaded for the rest of the run.
class Settings : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit Settings(Forms &forms);

protected:
    void loadHandling() override;
};
