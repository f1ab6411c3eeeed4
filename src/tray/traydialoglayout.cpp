#include "traydialoglayout.h"

#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/labelfit.h"
#include "ui/programicon.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QLabel>
#include <QStyle>
#include <QWidget>

void TrayDialogLayout::makeDialogWindow(QWidget *dialog, const char *name, const QString &caption)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowIcon(programIcon());
    Accessibility::presentAsDialog(dialog);
    // A plain widget rather than a QDialog: Esc and done() would hide a
    // QDialog without unloading it.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(windowFont(8.25));
}

QLabel *TrayDialogLayout::addInformationIcon(QWidget *dialog)
{
    constexpr int iconSize = 32;
    auto *image = new QLabel(dialog);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(
        dialog->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize, iconSize));
    image->setGeometry(twipsRect(240, 240, 480, 480));
    return image;
}

QLabel *TrayDialogLayout::addText(QWidget *dialog, const QString &text, QRect geometry)
{
    return Controls::makeLabel(dialog, "Label1", text, geometry);
}

void TrayDialogLayout::finish(QWidget *dialog, QSize baseSize, QLabel *text,
                              const QList<QWidget *> &below)
{
    // Room below, so the text grows downwards only.
    dialog->resize(baseSize.width(), baseSize.height() * 3);
    const int textBottom = text->geometry().bottom();
    fitLabelToText(text);
    const int growth = std::max(0, text->geometry().bottom() - textBottom);
    for (QWidget *control : below)
        control->move(control->x(), control->y() + growth);
    dialog->setFixedSize(baseSize.width(), baseSize.height() + growth);
    centreOnScreen(dialog);
}
