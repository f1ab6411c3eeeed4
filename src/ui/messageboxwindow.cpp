#include "messageboxwindow.h"

#include "core/invisiblecharacters.h"
#include "messageboxes.h"
#include "programicon.h"
#include "wrappinglabel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

MessageBoxWindow::MessageBoxWindow(QStyle::StandardPixmap icon, const QString &text,
                                   QDialogButtonBox::StandardButtons buttons,
                                   QDialogButtonBox::StandardButton preferred, QWidget *parent)
    : QDialog(parent), m_text(new WrappingLabel(this)),
      m_buttons(new QDialogButtonBox(buttons, this)), m_wholeText(text),
      m_answer(buttons.testFlag(QDialogButtonBox::No) ? QDialogButtonBox::No : preferred)
{
    setObjectName(QStringLiteral("TolvaneMessageBox"));
    setWindowTitle(MessageBoxes::title());
    setWindowIcon(programIcon());
    // The nearest Qt has to a system-modal box: it blocks every window of the
    // program and stays above them.
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *image = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    image->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(side, side));
    image->setAlignment(Qt::AlignTop);
    m_text->setObjectName(QStringLiteral("qt_msgbox_label"));
    m_text->setText(InvisibleCharacters::revealed(text));
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);

    auto *row = new QHBoxLayout;
    row->addWidget(image, 0, Qt::AlignTop);
    row->addWidget(m_text, 1);
    auto *column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(m_buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    fitToScreen();

    if (QPushButton *button = m_buttons->button(preferred)) {
        button->setDefault(true);
        button->setFocus();
    }
    connect(m_buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton *button) {
        m_answer = m_buttons->standardButton(button);
        accept();
    });
}

// The text column is as wide as a usual message box, never wider than the
// screen, and the text never taller than half of it.
void MessageBoxWindow::fitToScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const int usual = m_text->fontMetrics().averageCharWidth() * 60;
    m_text->setFixedWidth(std::min(usual, room.width() * 3 / 4));
    m_text->setMaximumTextHeight(room.height() / 2);
    m_text->setFixedHeight(m_text->heightForWidth(m_text->width()));
}

void MessageBoxWindow::showEvent(QShowEvent *event)
{
    fitToScreen();
    QDialog::showEvent(event);
}

void MessageBoxWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(windowTitle() + QLatin1Char('\n') + m_wholeText);
        return;
    }
    if (!(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        for (QAbstractButton *button : m_buttons->buttons()) {
            const QKeySequence shortcut = button->shortcut();
            if (!shortcut.isEmpty() && shortcut[0].key() == event->key()) {
                button->animateClick();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}
