#pragma once

#include <QLabel>
#include <QSet>
#include <QTimer>

// A line in a picker that says in plain words why a folder could not be
// read, or, when reading takes a while, that it is still going on.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

    // The whole message. The line shortens it from the left to fit, so the
    // deepest folder and the reason stay in view; its tool tip has it all.
    const QString &message() const { return m_message; }

    void setBusy(const QObject *source, bool busy);
    void showProblem(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showMessage(const QString &text);

    QSet<const QObject *> m_busy;
    QTimer m_busyDelay;
    QString m_message;
    bool m_problem = false;
};
