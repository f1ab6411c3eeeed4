#include "dialogmessageboxes.h"

#include "messageboxwindow.h"

void DialogMessageBoxes::critical(const QString &text)
{
    MessageBoxWindow(QStyle::SP_MessageBoxCritical, text, QDialogButtonBox::Ok,
                     QDialogButtonBox::Ok)
        .exec();
}

bool DialogMessageBoxes::askYesNo(const QString &text)
{
    MessageBoxWindow box(QStyle::SP_MessageBoxInformation, text,
                         QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
    box.exec();
    return box.answer() == QDialogButtonBox::Yes;
}
