#pragma once

#include <QString>

#include <vector>

// One name read from a folder, with its case-folded form for sorting and
// matching.
struct ListedName
{
    QString name;
    QString key;

    friend bool operator<(const ListedName &a, const ListedName &b)
    {
        const int byKey = QString::compare(a.key, b.key, Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : a.name < b.name;
    }
};

using NameBatch = std::vector<ListedName>;

// Names kept in list order (without regard to case), growing by sorted
// batches as a folder is read.
class SortedNames
{
public:
    int size() const { return static_cast<int>(m_names.size()); }
    const ListedName &at(int index) const { return m_names[static_cast<size_t>(index)]; }
    void clear() { m_names.clear(); }

    // Merges a batch sorted the same way. Returns, for each earlier entry,
    // its index afterwards.
    std::vector<int> merge(NameBatch batch);

private:
    std::vector<ListedName> m_names;
};
