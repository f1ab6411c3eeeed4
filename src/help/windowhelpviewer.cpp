#include "windowhelpviewer.h"

#include "helpwindow.h"

#include "core/regularfile.h"
#include "helpbrowser.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

#include <optional>

namespace {

// Read for its anchors only: it loads no image or style sheet.
class TopicDocument : public QTextDocument
{
protected:
    QVariant loadResource(int, const QUrl &) override { return QByteArray(); }
};

// The anchor names of an HTML help file, or nothing when it cannot be read.
std::optional<QSet<QString>> readTopics(const QString &path, QString &error)
{
    const RegularFile::Content content = RegularFile::read(path, HelpBrowser::largestFile);
    if (!content.ok()) {
        error = RegularFile::refusal(content, HelpBrowser::largestFile);
        return std::nullopt;
    }
    TopicDocument document;
    document.setHtml(QString::fromUtf8(content.data));
    QSet<QString> topics;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QStringList names = fragment.fragment().charFormat().anchorNames();
            for (const QString &name : names)
                topics.insert(name);
        }
    }
    return topics;
}

} // namespace

WindowHelpViewer::WindowHelpViewer(const DriveMap &drives, const QString &executableFolder,
                                   QObject *parent)
    : QObject(parent), m_locator(drives, executableFolder)
{}

WindowHelpViewer::~WindowHelpViewer()
{
    if (m_window) {
        m_window->disconnect(this);
        delete m_window;
    }
}

HelpWindow *WindowHelpViewer::window() const
{
    return m_window;
}

std::optional<QString> WindowHelpViewer::readable(const QString &helpFile, QSet<QString> *topics)
{
    const HelpFileLocator::Result found = m_locator.locate(helpFile);
    if (!found.found()) {
        report(found.problem);
        return std::nullopt;
    }
    QString error;
    std::optional<QSet<QString>> anchors = readTopics(found.path, error);
    if (!anchors) {
        report(tr("Cannot open the help file \"%1\": %2.").arg(helpFile, error));
        return std::nullopt;
    }
    *topics = std::move(*anchors);
    return found.path;
}

void WindowHelpViewer::showContents(const QString &helpFile)
{
    QSet<QString> topics;
    const std::optional<QString> path = readable(helpFile, &topics);
    if (!path)
        return;
    const QString shown = m_window ? m_window->shownFile() : QString();
    HelpWindow *window = openWindow();
    // A viewer that already shows this file stays where it is.
    if (shown != QFileInfo(*path).canonicalFilePath())
        window->showDocument(*path, QString());
    else
        window->clearProblem();
    window->present();
}

void WindowHelpViewer::showTopic(const QString &helpFile, int topic)
{
    QSet<QString> topics;
    const std::optional<QString> path = readable(helpFile, &topics);
    if (!path)
        return;
    const QString anchor = QString::number(topic);
    if (!topics.contains(anchor)) {
        report(tr("The help file \"%1\" has no topic %2.").arg(helpFile, anchor));
        return;
    }
    HelpWindow *window = openWindow();
    window->showDocument(*path, anchor);
    window->present();
}

HelpWindow *WindowHelpViewer::openWindow()
{
    if (!m_window) {
        // A top-level window of its own: it deletes itself when closed, so the
        // next request opens a fresh one; the viewer deletes one still open.
        m_window = new HelpWindow;
        connect(m_window, &HelpWindow::closed, this, &WindowHelpViewer::windowClosed);
    }
    return m_window;
}

// The complaint goes into the viewer's window; what it shows stays as it was.
void WindowHelpViewer::report(const QString &problem)
{
    HelpWindow *window = openWindow();
    window->reportProblem(problem);
    window->present();
}
