#include "module1.h"

#include "creator/tolvane.h"
#include "forms.h"

void Module1::startUp(Forms &forms)
{
    Tolvane *mainWindow = forms.get<Tolvane>();
    mainWindow->show();
}
