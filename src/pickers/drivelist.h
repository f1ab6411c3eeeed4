#pragma once

#include <QComboBox>

class DriveMap;

// The drive list of the pickers: each drive as its letter and colon with the
// folder it stands for as a label, "c: [/home/u/.wine/drive_c]".
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(const DriveMap &drives, QWidget *parent = nullptr);

    // The current drive string, beginning with the letter and colon.
    QString drive() const { return currentText(); }
    QChar driveLetter() const;
    // Picks a drive without a change notification, as when the list is set up.
    // A drive that cannot be read stays picked, so the arrow keys move on.
    void setDriveLetter(QChar letter);

Q_SIGNALS:
    // The user picked another drive.
    void driveChanged();
};
