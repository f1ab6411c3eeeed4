#pragma once

#include <QObject>
#include <QString>

class HelpViewer;

// The main window's help control: its owner sets the file, the command and the
// context, then asks it to show help. The numbers are the dispatch ids of the
// control this one stands in for.
class HelpControl : public QObject
{
    Q_OBJECT

public:
    explicit HelpControl(HelpViewer &viewer, QObject *parent = nullptr);

    QString helpFile() const { return m_helpFile; }              // 19
    void setHelpFile(const QString &file) { m_helpFile = file; } // 19
    qint16 helpCommand() const { return m_helpCommand; }         // 20
    void setHelpCommand(qint16 command) { m_helpCommand = command; }
    qint32 helpContext() const { return m_helpContext; } // 24
    void setHelpContext(qint32 context) { m_helpContext = context; }

    // 35: hands the three values to the viewer and returns at once.
    void showHelp();

private:
    HelpViewer &m_viewer;
    QString m_helpFile;
    qint16 m_helpCommand = 0;
    qint32 m_helpContext = 0;
};
