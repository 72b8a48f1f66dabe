#include "data/dataset/CollatedTexts.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace zeb {

int CollatedTexts::add(const QString& text)
{
    const auto found = m_ids.constFind(text);
    if (found != m_ids.constEnd())
        return *found;
    m_texts.append(text);
    return *m_ids.insert(text, int(m_texts.size()) - 1);
}

std::vector<int> CollatedTexts::ranks() const
{
    QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<int> order(size_t(m_texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return collator.compare(m_texts[a], m_texts[b]) < 0; });
    std::vector<int> ranks(order.size());
    int rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && collator.compare(m_texts[order[i - 1]], m_texts[order[i]]) != 0)
            ++rank;
        ranks[size_t(order[i])] = rank;
    }
    return ranks;
}

} // namespace zeb
