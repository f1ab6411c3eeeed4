#include "helpwindow.h"

#include "ui/controls.h"
#include "ui/programicon.h"
#include "ui/windowplacement.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextFrame>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new HelpBrowser(this)), m_problem(new QLabel(this)),
      m_contents(new QPushButton(tr("&Contents"), this)), m_back(new QPushButton(tr("&Back"), this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links between topics stay here, links to the web open in the user's
    // browser; the window decides, so no other link is followed.
    m_browser->setOpenLinks(false);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    // The line shows paths and names from outside: never as markup.
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_problem->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    m_problem->hide();
    m_contents->setObjectName(QStringLiteral("cmdContents"));
    m_contents->setEnabled(false);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_back->setEnabled(false);
    for (QPushButton *button : {m_contents, m_back})
        Controls::pressOnEnter(button);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_problem);
    layout->addWidget(m_browser, 1);

    connect(m_contents, &QPushButton::clicked, this,
            [this] { showDocument(m_shownFile, QString()); });
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);

    resize(600, 520);
    updateTitle();
    centreOnScreen(this);
}

void HelpWindow::showDocument(const QString &path, const QString &topic)
{
    QUrl url = QUrl::fromLocalFile(path);
    if (!topic.isEmpty())
        url.setFragment(topic);
    m_shownFile = QFileInfo(path).canonicalFilePath();
    m_browser->setHelpFile(m_shownFile);
    clearProblem();
    m_contents->setEnabled(true);
    // The browser loads the file only when it is not the one shown already;
    // without a topic it goes to the top.
    m_browser->setSource(url, QTextDocument::HtmlResource);
    padEnd();
    if (!topic.isEmpty())
        m_browser->scrollToAnchor(topic);
}

// Room after the last topic, so that it too can stand at the top of the view.
void HelpWindow::padEnd()
{
    QTextFrame *root = m_browser->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const int room = m_browser->viewport()->height();
    if (format.bottomMargin() != room) {
        format.setBottomMargin(room);
        root->setFrameFormat(format);
    }
}

// A topic of this help file is shown here and a web address goes to the
// desktop's browser; a link to anything else (another file, a program, a
// device) is not opened.
void HelpWindow::followLink(const QUrl &link)
{
    const QUrl url = m_browser->source().resolved(link);
    static const QStringList web{QStringLiteral("http"), QStringLiteral("https"),
                                 QStringLiteral("mailto")};
    if (url.isLocalFile() && !m_shownFile.isEmpty() &&
        QFileInfo(url.toLocalFile()).canonicalFilePath() == m_shownFile) {
        clearProblem();
        m_browser->setSource(url, QTextDocument::HtmlResource);
        padEnd();
    } else if (web.contains(url.scheme(), Qt::CaseInsensitive)) {
        clearProblem();
        if (!QDesktopServices::openUrl(url))
            reportProblem(
                tr("%1 could not be opened: no web browser was found.").arg(url.toDisplayString()));
    } else {
        reportProblem(tr("The link to %1 leads outside this help file; the help viewer does not "
                         "open it.")
                          .arg(url.toDisplayString(QUrl::PreferLocalFile)));
    }
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    padEnd();
}

void HelpWindow::reportProblem(const QString &text)
{
    m_problem->setText(text);
    m_problem->show();
}

void HelpWindow::clearProblem()
{
    m_problem->hide();
    m_problem->clear();
}

void HelpWindow::present()
{
    show();
    raise();
    activateWindow();
}

void HelpWindow::updateTitle()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Help") : title);
}

void HelpWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
