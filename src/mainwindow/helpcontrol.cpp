#include "helpcontrol.h"

#include "ui/helpviewer.h"

HelpControl::HelpControl(HelpViewer &viewer, QObject *parent) : QObject(parent), m_viewer(viewer) {}

void HelpControl::showHelp()
{
    m_viewer.showHelp(m_helpFile, m_helpCommand, m_helpContext);
}
