#pragma once

#include <QByteArray>
#include <QString>

// The picture of a batch file's entry in the applications menu, as PNG: the
// icon of the program it starts where that program's file carries one,
// otherwise Tolvane's own.
QByteArray menuIconPng(const QString &programHostPath);
