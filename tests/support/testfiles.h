#pragma once

#include <QByteArray>
#include <QString>

// Small file and process helpers the tests share.
namespace TestFiles {

// The file's bytes, or nothing when it cannot be read.
QByteArray read(const QString &path);
// Writes the bytes, making the folder first; fails the calling test otherwise.
void write(const QString &path, const QByteArray &data);
void copy(const QString &from, const QString &to);
// A shell script that may be run, standing in for a program the tests do not
// want to depend on.
void writeScript(const QString &path, const QByteArray &body);

// Runs this test program again as the user "nobody", for cases in which
// permissions count (root may read and write anywhere); the arguments pick
// what the child runs, and the calling test fails when the child does. Only
// where canRunAsNobody() is true.
bool canRunAsNobody();
void runAsNobody(const QStringList &arguments);

// How many visible top-level windows are of the class T.
template <class T> int visibleWindowsOf();

} // namespace TestFiles

#include <QApplication>
#include <QWidget>

template <class T> int TestFiles::visibleWindowsOf()
{
    int count = 0;
    for (const QWidget *window : QApplication::topLevelWidgets())
        count += window->isVisible() && qobject_cast<const T *>(window) ? 1 : 0;
    return count;
}
