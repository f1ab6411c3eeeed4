#pragma once

#include <QString>

// Whatever shows the program's help file. The program only names the file
// and the topic; the viewer does the rest in its own window and in its own
// words, and the program never hears back.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;

    // The file at its opening topic; a viewer that already shows that file
    // stays where it is.
    virtual void showContents(const QString &helpFile) = 0;
    // The topic the file numbers so.
    virtual void showTopic(const QString &helpFile, int topic) = 0;
};
