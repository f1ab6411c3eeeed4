#pragma once

#include "ui/helpviewer.h"

#include <QList>
#include <QString>

// Records what the program asks the help viewer to show.
class FakeHelpViewer : public HelpViewer
{
public:
    struct Request
    {
        QString helpFile;
        qint16 command;
        qint32 context;
    };

    void showHelp(const QString &helpFile, qint16 command, qint32 context) override
    {
        requests.append({helpFile, command, context});
    }

    QList<Request> requests;
};
