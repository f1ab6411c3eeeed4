#pragma once

#include "core/sortednames.h"
#include "core/wildcardpattern.h"

#include <QAbstractListModel>

#include <functional>
#include <vector>

// The files of one folder, all names kept once in list order, and the rows
// the current pattern lets through. Changing the pattern only walks the
// folded names; the view keeps its highlighted entry when it stays listed.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void clear();
    void addNames(NameBatch names);
    void setPattern(const QString &pattern);
    const QString &pattern() const { return m_pattern.text(); }
    QString nameAt(int row) const;
    int fileCount() const { return m_names.size(); }

private:
    // Switches to `shown`, moving the view's remembered rows with their names;
    // `movedEntry` says where an entry of the old list went.
    void relayout(std::vector<int> shown, const std::function<int(int)> &movedEntry);

    SortedNames m_names;
    WildcardPattern m_pattern;
    std::vector<int> m_shown; // indexes into m_names, ascending
};
