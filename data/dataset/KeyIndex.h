#pragma once

#include <QHash>
#include <QVariant>
#include <vector>

namespace zeb {

class RowStore;

// The first of given rows holding each value of one stored column. Integer columns are searched by
// number, so that 5, 5.0 and "5" find the same row; other columns by text.
class KeyIndex
{
public:
    KeyIndex() = default;
    KeyIndex(const RowStore& store, int column, const std::vector<int>& rows);

    // The row, or -1 when none holds the key; a null key finds the first NULL.
    int find(const QVariant& key) const;

    // How keys of other columns meet: as text, a whole number as its digits.
    static QString keyText(const QVariant& value);
    // Two keys meet when both are NULL or their key texts are equal.
    static bool sameKey(const QVariant& a, const QVariant& b);

private:
    bool m_integral = false;
    QHash<qint64, int> m_numbers;
    QHash<QString, int> m_texts;
    int m_firstNull = -1;
};

} // namespace zeb
