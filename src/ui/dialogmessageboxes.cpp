#include "dialogmessageboxes.h"

#include <QMessageBox>

namespace {

int run(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton preferred)
{
    QMessageBox box(icon, MessageBoxes::title(), text, buttons);
    box.setDefaultButton(preferred);
    box.setObjectName(QStringLiteral("TolvaneMessageBox"));
    // The nearest Qt has to a system-modal box: it blocks every window of the
    // program and stays above them.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

} // namespace

void DialogMessageBoxes::critical(const QString &text)
{
    run(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool DialogMessageBoxes::askYesNo(const QString &text)
{
    return run(QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}
