#pragma once

#include "harness.h"
#include "testfiles.h"

#include "mainwindow/mainwindow.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

// Filling the main window's four steps and pressing its "&OK", as a user would.
namespace BatchSteps {

// Four answers from UTF-8 literals.
inline QStringList steps(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

inline QList<QLineEdit *> fields(MainWindow *window)
{
    return {window->driveEdit(), window->directoryEdit(), window->programEdit(),
            window->batchFileNameEdit()};
}

inline QStringList answers(MainWindow *window)
{
    QStringList texts;
    for (QLineEdit *field : fields(window))
        texts.append(field->text());
    return texts;
}

inline MainWindow *fill(Harness &harness, const QStringList &steps)
{
    MainWindow *window = harness.forms->load<MainWindow>();
    for (int i = 0; i < 4; ++i)
        fields(window)[i]->setText(steps.value(i));
    return window;
}

inline void pressOK(MainWindow *window)
{
    window->okButton()->click();
    Harness::settle();
}

inline void write(Harness &harness, const QStringList &steps)
{
    pressOK(fill(harness, steps));
}

inline QByteArray contents(const QString &path)
{
    return TestFiles::read(path);
}
inline void put(const QString &path, const QByteArray &bytes)
{
    TestFiles::write(path, bytes);
}

// Every file and folder below `root` with its contents, to show nothing changed.
inline QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // A pipe or a device is not read: that could hang or never end.
        const QFileInfo info(path);
        const QByteArray bytes = info.isFile()  ? contents(path).toHex()
                                 : info.isDir() ? QByteArray()
                                                : QByteArray("<not a file>");
        entries.append(path + QLatin1Char('=') + QString::fromLatin1(bytes));
    }
    entries.sort();
    return entries;
}

} // namespace BatchSteps
