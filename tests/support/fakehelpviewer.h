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
        int topic; // 0 for the opening topic
    };

    void showContents(const QString &helpFile) override { requests.append({helpFile, 0}); }
    void showTopic(const QString &helpFile, int topic) override
    {
        requests.append({helpFile, topic});
    }

    QList<Request> requests;
};
