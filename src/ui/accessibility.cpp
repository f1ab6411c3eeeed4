#include "accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr char dialogProperty[] = "tolvanePresentedAsDialog";

QAccessibleInterface *dialogInterface(const QString & /*className*/, QObject *object)
{
    auto *window = qobject_cast<QWidget *>(object);
    if (window == nullptr || !window->isWindow() || !window->property(dialogProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(window, QAccessible::Dialog);
}

} // namespace

namespace Accessibility {

void presentAsDialog(QWidget *window)
{
    static const bool installed = [] {
        QAccessible::installFactory(dialogInterface);
        return true;
    }();
    Q_UNUSED(installed);
    window->setProperty(dialogProperty, true);
}

} // namespace Accessibility
