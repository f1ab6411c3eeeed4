#include "drivelist.h"

#include "core/drivemap.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalBlocker>
#include <QStyle>

DriveList::DriveList(const DriveMap &drives, QWidget *parent) : QComboBox(parent)
{
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    int widest = 0;
    for (const DriveMap::Drive &drive : drives.drives()) {
        const QString text = QStringLiteral("%1: [%2]").arg(drive.letter, drive.folder);
        addItem(icon, text, drive.letter);
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    }
    // The list is narrow; its drop-down shows the whole folder of each drive.
    view()->setMinimumWidth(widest + iconSize().width() + 32);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

QChar DriveList::driveLetter() const
{
    return currentData().toChar();
}

void DriveList::setDriveLetter(QChar letter)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(findData(letter.toLower()));
}
