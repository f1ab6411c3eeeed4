#include "statusline.h"

#include <QResizeEvent>

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // Quick folders should not make the line flicker.
    m_busyDelay.setSingleShot(true);
    m_busyDelay.setInterval(400);
    connect(&m_busyDelay, &QTimer::timeout, this, [this] {
        if (!m_busy.isEmpty() && !m_problem)
            showMessage(tr("Reading the folder..."));
    });
}

void StatusLine::setBusy(const QObject *source, bool busy)
{
    if (busy) {
        // A new read starts from the user's next step; the old complaint is done with.
        m_problem = false;
        m_busy.insert(source);
        if (!m_busyDelay.isActive())
            m_busyDelay.start();
        return;
    }
    m_busy.remove(source);
    if (m_busy.isEmpty()) {
        m_busyDelay.stop();
        if (!m_problem)
            showMessage({});
    }
}

void StatusLine::showProblem(const QString &text)
{
    m_problem = true;
    showMessage(text);
}

void StatusLine::showMessage(const QString &text)
{
    m_message = text;
    setToolTip(text);
    setText(fontMetrics().elidedText(text, Qt::ElideLeft, contentsRect().width()));
}

void StatusLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showMessage(m_message);
}
