#pragma once

#include "helpbrowser.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;
class QUrl;

// The help viewer's window: a browser over one help document, a line for the
// viewer's own complaints, and the buttons to go back and to the contents.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The help file shown, as a canonical path; empty before the first one.
    QString shownFile() const { return m_shownFile; }
    // An empty topic is the opening topic, the top of the document.
    void showDocument(const QString &path, const QString &topic);
    void reportProblem(const QString &text);
    void clearProblem();
    void present();

    QTextBrowser *browser() const { return m_browser; }
    QLabel *problemLabel() const { return m_problem; }

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateTitle();
    void followLink(const QUrl &link);
    void padEnd();

    HelpBrowser *m_browser;
    QLabel *m_problem;
    QPushButton *m_contents;
    QPushButton *m_back;
    QString m_shownFile;
};
