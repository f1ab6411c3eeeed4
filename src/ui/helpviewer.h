#pragma once

#include <QString>

#include <QtGlobal>

// Whatever shows the program's help file. The program only names the file, a
// command and a topic; the viewer does the rest in its own window and in its
// own words, and the program never hears back.
class HelpViewer
{
public:
    // The classic help-viewer commands, kept for their meaning: show the topic
    // a context number maps to, and make sure the named file is the one shown.
    static constexpr qint16 ContextCommand = 1;
    static constexpr qint16 ForceFileCommand = 9;

    virtual ~HelpViewer() = default;

    virtual void showHelp(const QString &helpFile, qint16 command, qint32 context) = 0;
};
