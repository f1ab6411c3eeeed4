#pragma once

#include "core/dosfolder.h"

#include <QListView>

class DirListModel;
class DriveMap;
class FolderListing;

// The directory list of the pickers: the current drive's tree down to the
// current folder and that folder's subfolders. A double click or Enter opens
// an entry; a single click only highlights it. The list moves to a folder
// only once that folder has opened, so a folder that cannot be read leaves it
// where it was, and the reading never holds up the window.
class DirList : public QListView
{
    Q_OBJECT

public:
    explicit DirList(const DriveMap &drives, QWidget *parent = nullptr);

    // The current folder in DOS form: c:\ at the root, c:\games below it.
    QString path() const;
    const DosFolder &folder() const;
    // Shows `folder` at once, with no change notification: where a list starts.
    void startAt(const DosFolder &folder);
    const DosFolder &processFolder() const { return m_processFolder; }
    // Moves to a path, or to a drive's current folder for a drive string,
    // once that folder has opened; pathChanged follows when it differs.
    void setPath(const QString &pathOrDrive);
    bool isBusy() const;

Q_SIGNALS:
    void pathChanged();
    void busyChanged(bool busy);
    void readFailed(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openRow(int row);
    void moved();

    const DriveMap &m_drives;
    const DosFolder m_processFolder;
    DirListModel *m_model;
    FolderListing *m_listing;
};
