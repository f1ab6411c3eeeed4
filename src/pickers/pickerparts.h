#pragma once

#include <QString>

class DirList;
class DriveList;
class QRect;
class QWidget;
class StatusLine;
struct Services;

// The controls both pickers are built from, with their object names and
// fixed places, and the window they sit in.
namespace PickerParts {

// A resizable window with a minimize and no maximize button, holding the
// program's icon and a client area of the given size in twips.
void setUpWindow(QWidget *window, const char *name, const QString &caption, int width, int height);

DriveList *makeDriveList(QWidget *window, const Services &services, const QRect &geometry);
DirList *makeDirList(QWidget *window, const Services &services, const QRect &geometry);
StatusLine *makeStatusLine(QWidget *window, const QRect &geometry);

// Starts the lists at the process's current drive and folder, and lets the
// status line hear about both.
void startLists(DriveList *drives, DirList *folders, StatusLine *status);

} // namespace PickerParts
