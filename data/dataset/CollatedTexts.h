#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

namespace zeb {

// Distinct texts placed in the order a user reads them, each collated once, so that rows sort by integers.
class CollatedTexts
{
public:
    // The id of the text, added when new.
    int add(const QString& text);
    // Per id its place among the texts; texts equal to the collation share a place.
    std::vector<int> ranks() const;

private:
    QHash<QString, int> m_ids;
    QStringList m_texts;
};

} // namespace zeb
