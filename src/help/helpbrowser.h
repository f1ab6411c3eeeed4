#pragma once

#include <QTextBrowser>

// The browser of the help window. It reads nothing but plain files of a
// bounded size: the help file itself, and the images and style sheets that
// lie beside it. Anything else a help document names (a pipe, a device, a
// file elsewhere) is not read, so a hostile document can neither hang nor
// flood the viewer.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    // A help file is a few dozen kilobytes; 4 MiB is more than any needs.
    static constexpr qint64 largestFile = 4 * 1024 * 1024;

    explicit HelpBrowser(QWidget *parent = nullptr);

    // The help file shown, as a canonical path; only it and what lies in its
    // folder may be read.
    void setHelpFile(const QString &canonicalPath) { m_helpFile = canonicalPath; }

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QString m_helpFile;
};
