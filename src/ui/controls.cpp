#include "controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

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
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setGeometry(geometry);
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect geometry,
                        const QString &toolTip)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

} // namespace Controls
