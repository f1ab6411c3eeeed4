#include "startup.h"

#include "mainwindow/mainwindow.h"
#include "ui/forms.h"

void StartUp::run(Forms &forms)
{
    forms.load<MainWindow>()->show();
}
