#include "data/dataset/CollatedTexts.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"

#include <algorithm>

namespace zeb {

namespace {

bool sortsAsText(FieldType type)
{
    return type == FieldType::Text || type == FieldType::Memo || type == FieldType::Unknown ||
           type == FieldType::Binary;
}

QString bareColumnName(const QString& column)
{
    QString name = column.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

} // namespace

void Dataset::sort(const QString& column)
{
    checkBrowseMode();
    const Field* field = fieldByName(bareColumnName(column));
    const int current = currentStoreRow();
    // NULLs first in their order, then rows by plain numbers read once, the shown position breaking ties so
    // that equal rows keep their order.
    struct Entry
    {
        qint64 key;
        int position;
        int row;
        bool operator<(const Entry& other) const
        {
            return key < other.key || (key == other.key && position < other.position);
        }
    };
    const bool byText = field->isLookup() || sortsAsText(field->dataType());
    const std::vector<int> ranks = byText ? shownRanks(*field) : std::vector<int>();
    const int storeColumn = field->storeColumn();
    std::vector<Entry> entries;
    entries.reserve(m_order.size());
    size_t nulls = 0;
    for (int position = 0; position < int(m_order.size()); ++position) {
        const int row = m_order[size_t(position)];
        if (byText ? ranks[size_t(row)] < 0 : m_store.isNull(row, storeColumn))
            m_order[nulls++] = row;
        else
            entries.push_back(
                Entry{byText ? ranks[size_t(row)] : m_store.sortKey(row, storeColumn), position, row});
    }
    std::sort(entries.begin(), entries.end());
    for (size_t i = 0; i < entries.size(); ++i)
        m_order[nulls + i] = entries[i].row;
    m_keyIndex.clear();
    if (current >= 0)
        m_position = positionOfRow(current);
    rowsReplaced();
    if (!controlsDisabled())
        Q_EMIT currentRowChanged(m_position);
}

void Dataset::keepRows(const std::function<bool(int position)>& keep)
{
    checkBrowseMode();
    const int current = currentStoreRow();
    std::vector<int> kept;
    kept.reserve(m_order.size());
    for (int position = 0; position < int(m_order.size()); ++position) {
        if (keep(position))
            kept.push_back(m_order[size_t(position)]);
    }
    m_order = std::move(kept);
    m_keyIndex.clear();
    m_position = positionOfRow(current);
    if (m_position < 0 && !m_order.empty())
        m_position = 0;
    m_bof = m_position <= 0;
    m_eof = m_order.empty();
    rowsReplaced();
    if (!controlsDisabled())
        Q_EMIT currentRowChanged(m_position);
}

// Each distinct shown text is built and collated once; a lookup is resolved once per row it shows.
std::vector<int> Dataset::shownRanks(const Field& field)
{
    CollatedTexts texts;
    std::vector<int> ids(size_t(m_store.rowCount()), -1);
    if (!field.isLookup()) {
        for (int row : m_order) {
            if (!m_store.isNull(row, field.storeColumn()))
                ids[size_t(row)] = texts.add(m_store.value(row, field.storeColumn()).toString());
        }
    } else if (const Field* key = findField(field.definition().keyField);
               key && !key->isLookup() && field.definition().lookupDataset) {
        const FieldDef& def = field.definition();
        Dataset& lookup = *def.lookupDataset;
        const Field* result = lookup.findField(def.lookupResultField);
        const int keyColumn = key->storeColumn();
        // A whole-number key stands for itself: the lookup is resolved once per distinct key, not per row.
        const bool byNumber = !sortsAsText(m_store.columnType(keyColumn));
        QHash<qint64, int> idOfKey;
        QHash<int, int> idOfLookupRow;
        for (int row : m_order) {
            if (m_store.isNull(row, keyColumn))
                continue;
            const qint64 number = byNumber ? m_store.sortKey(row, keyColumn) : 0;
            if (const auto known = byNumber ? idOfKey.constFind(number) : idOfKey.constEnd();
                known != idOfKey.constEnd()) {
                ids[size_t(row)] = *known;
                continue;
            }
            const int found = lookup.lookupRow(def.lookupKeyField, m_store.value(row, keyColumn));
            int id = -1;
            if (found >= 0 && result && !result->isLookup()) {
                auto shown = idOfLookupRow.find(found);
                if (shown == idOfLookupRow.end()) {
                    const QVariant text = lookup.m_store.value(found, result->storeColumn());
                    shown = idOfLookupRow.insert(found, text.isNull() ? -1 : texts.add(text.toString()));
                }
                id = *shown;
            }
            ids[size_t(row)] = id;
            if (byNumber)
                idOfKey.insert(number, id);
        }
    }
    const std::vector<int> ranks = texts.ranks();
    for (int& id : ids) {
        if (id >= 0)
            id = ranks[size_t(id)];
    }
    return ids;
}

} // namespace zeb
