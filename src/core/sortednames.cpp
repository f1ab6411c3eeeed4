#include "sortednames.h"

std::vector<int> SortedNames::merge(NameBatch batch)
{
    std::vector<ListedName> merged;
    merged.reserve(m_names.size() + batch.size());
    std::vector<int> oldToNew(m_names.size());
    size_t old = 0;
    size_t added = 0;
    while (old < m_names.size() || added < batch.size()) {
        const bool takeOld =
            added == batch.size() || (old < m_names.size() && !(batch[added] < m_names[old]));
        if (takeOld) {
            oldToNew[old] = static_cast<int>(merged.size());
            merged.push_back(std::move(m_names[old++]));
        } else {
            merged.push_back(std::move(batch[added++]));
        }
    }
    m_names = std::move(merged);
    return oldToNew;
}
