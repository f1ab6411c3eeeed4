#pragma once

#include <QListView>

struct DosFolder;
class DriveMap;
class FileListModel;
class FolderListing;

// The file list of the program file picker: the files of one folder whose
// names match a pattern of * and ?, compared without regard to case; hidden
// (dot) files are left out and an empty pattern lists every file. It moves to
// a folder only once that folder has opened, and fills while it is read.
class FileList : public QListView
{
    Q_OBJECT

public:
    explicit FileList(const DriveMap &drives, QWidget *parent = nullptr);

    QString path() const;
    // Moves to a folder as the directory list holds it, so a name with a
    // backslash in it (legal on Linux) cannot be split apart; the pattern stays.
    void setFolder(const DosFolder &folder);
    QString pattern() const;
    void setPattern(const QString &pattern);
    // The highlighted entry's bare name, or nothing.
    QString fileName() const;
    bool isBusy() const;

Q_SIGNALS:
    // The user highlighted an entry, by mouse or keyboard.
    void fileSelected();
    void busyChanged(bool busy);
    void readFailed(const QString &message);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void reportIfMoved(const QModelIndex &before);

    const DriveMap &m_drives;
    FileListModel *m_model;
    FolderListing *m_listing;
};
