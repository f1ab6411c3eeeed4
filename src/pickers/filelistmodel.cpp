#include "filelistmodel.h"

#include "core/hostname.h"

#include <algorithm>

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return HostName::forDisplay(nameAt(index.row()));
}

QString FileListModel::nameAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_names.at(m_shown[static_cast<size_t>(row)]).name;
}

void FileListModel::clear()
{
    beginResetModel();
    m_names.clear();
    m_shown.clear();
    endResetModel();
}

void FileListModel::addNames(NameBatch names)
{
    std::vector<char> isNew(static_cast<size_t>(m_names.size()) + names.size(), 1);
    const std::vector<int> oldToNew = m_names.merge(std::move(names));
    std::vector<char> shownFlag(isNew.size(), 0);
    for (const int moved : oldToNew)
        isNew[static_cast<size_t>(moved)] = 0;
    for (const int entry : m_shown)
        shownFlag[static_cast<size_t>(oldToNew[static_cast<size_t>(entry)])] = 1;
    std::vector<int> shown;
    shown.reserve(m_shown.size());
    for (int i = 0; i < m_names.size(); ++i) {
        const auto at = static_cast<size_t>(i);
        if (shownFlag[at] || (isNew[at] && m_pattern.matchesFolded(m_names.at(i).key)))
            shown.push_back(i);
    }
    relayout(std::move(shown), [&](int entry) { return oldToNew[static_cast<size_t>(entry)]; });
}

void FileListModel::setPattern(const QString &pattern)
{
    if (pattern == m_pattern.text())
        return;
    m_pattern = WildcardPattern(pattern);
    std::vector<int> shown;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_pattern.matchesFolded(m_names.at(i).key))
            shown.push_back(i);
    }
    relayout(std::move(shown), [](int entry) { return entry; });
}

// A layout change rather than a reset, so the view keeps its current and
// selected entry through a new pattern or a merged batch.
void FileListModel::relayout(std::vector<int> shown, const std::function<int(int)> &movedEntry)
{
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const int entry = movedEntry(m_shown[static_cast<size_t>(index.row())]);
        const auto it = std::lower_bound(shown.begin(), shown.end(), entry);
        after.append(it != shown.end() && *it == entry
                         ? createIndex(static_cast<int>(it - shown.begin()), index.column())
                         : QModelIndex());
    }
    m_shown = std::move(shown);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}
