#include "commondialog.h"

#include "helpviewer.h"

CommonDialog::CommonDialog(HelpViewer &viewer, QObject *parent) : QObject(parent), m_viewer(viewer)
{}

void CommonDialog::showHelp()
{
    m_viewer.showHelp(m_helpFile, m_helpCommand, m_helpContext);
}
