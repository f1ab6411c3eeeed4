#include "pickerparts.h"

#include "core/drivemap.h"
#include "dirlist.h"
#include "drivelist.h"
#include "statusline.h"

#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/programicon.h"
#include "ui/services.h"
#include "ui/twips.h"

#include <QLabel>

namespace PickerParts {

void setUpWindow(QWidget *window, const char *name, const QString &caption, int width, int height)
{
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(caption);
    window->setWindowIcon(programIcon());
    Accessibility::presentAsDialog(window);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    // The controls keep their places when the window is resized.
    window->resize(twips(width), twips(height));
}

DriveList *makeDriveList(QWidget *window, const Services &services, const QRect &geometry)
{
    auto *list = new DriveList(services.drives, window);
    list->setObjectName(QStringLiteral("DriveListBox"));
    // Named for what it lists. On Linux a drop-down's accessible name is the
    // entry it shows, and screen readers name it by the label it is the buddy
    // of, so an unseen label carries the name there.
    list->setAccessibleName(DriveList::tr("Drives"));
    auto *name = new QLabel(list->accessibleName(), window);
    name->setObjectName(QStringLiteral("lblDrives"));
    name->setBuddy(list);
    name->hide();
    list->setFont(windowFont(8.25));
    list->setGeometry(geometry);
    return list;
}

DirList *makeDirList(QWidget *window, const Services &services, const QRect &geometry)
{
    auto *list = new DirList(services.drives, window);
    list->setObjectName(QStringLiteral("DirListBox"));
    list->setAccessibleName(DirList::tr("Directories"));
    list->setFont(windowFont(8.25));
    list->setGeometry(geometry);
    return list;
}

StatusLine *makeStatusLine(QWidget *window, const QRect &geometry)
{
    auto *line = new StatusLine(window);
    line->setObjectName(QStringLiteral("lblStatus"));
    line->setFont(windowFont(8.25));
    line->setGeometry(geometry);
    return line;
}

void startLists(DriveList *drives, DirList *folders, StatusLine *status)
{
    folders->startAt(folders->processFolder());
    drives->setDriveLetter(folders->folder().drive);
    QObject::connect(folders, &DirList::busyChanged, status,
                     [status, folders](bool busy) { status->setBusy(folders, busy); });
    // A drive that cannot be read leaves the folder lists where they were;
    // the drive list stays on it, so the arrow keys can move on past it.
    QObject::connect(folders, &DirList::readFailed, status, &StatusLine::showProblem);
}

} // namespace PickerParts
