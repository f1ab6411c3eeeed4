#include "controls.h"

#include "core/stepanswers.h"
#include "labelfit.h"
#include "messageboxes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// For buttons other than push buttons, which know no "auto default".
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (key->isAutoRepeat() || !button->isEnabled())
            return true;
        button->click();
        return true;
    }
};

// Tells the user that a box cut a text, after the paste or keystroke is done:
// a message box opened from inside the box's own handling would run a second
// event loop in the middle of it.
class CutNotice : public QObject
{
public:
    CutNotice(QLineEdit *box, MessageBoxes &messages, QString message)
        : QObject(box), m_messages(messages), m_message(std::move(message))
    {
        connect(box, &QLineEdit::inputRejected, this, &CutNotice::textRefused);
    }

private:
    void textRefused()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_messages.critical(m_message);
            m_pending = false;
        });
    }

    MessageBoxes &m_messages;
    QString m_message;
    bool m_pending = false;
};

// Fits a button to its text once, just before it is first shown: by then
// the window has given it the font it is drawn in.
class FitOnPolish : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish) {
            fitButtonToText(static_cast<QAbstractButton *>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

namespace Controls {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

QLineEdit *makeTextBox(QWidget *parent, const char *name, QRect geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(longestAnswer);
    box->setGeometry(geometry);
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect geometry,
                        const QString &toolTip)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    pressOnEnter(button);
    button->setGeometry(geometry);
    button->installEventFilter(new FitOnPolish(button));
    return button;
}

void sayWhenCut(QLineEdit *box, MessageBoxes &messages, const QString &message)
{
    new CutNotice(box, messages, message);
}

void pressOnEnter(QAbstractButton *button)
{
    // A push button outside a QDialog is never a default button, so "auto
    // default" only makes Enter press it while it has the focus.
    if (auto *pushButton = qobject_cast<QPushButton *>(button))
        pushButton->setAutoDefault(true);
    else
        button->installEventFilter(new EnterPresses(button));
}

} // namespace Controls
