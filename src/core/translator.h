#pragma once

#include <QCoreApplication>
#include <QString>

// Translates the messages of a file whose functions belong to no class with a
// tr() of its own: `constexpr Translator tr{"DriveMap"};`, then tr("...").
struct Translator
{
    const char *context;

    QString operator()(const char *text) const
    {
        return QCoreApplication::translate(context, text);
    }
};
