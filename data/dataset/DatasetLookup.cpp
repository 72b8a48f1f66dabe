#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"

namespace zeb {

bool Dataset::locate(const QString& fieldName, const QVariant& value)
{
    checkBrowseMode();
    const Field* field = fieldByName(fieldName);
    int position = -1;
    if (field->isLookup()) {
        for (int i = 0; i < int(m_order.size()) && position < 0; ++i) {
            const QVariant shown = valueAt(i, *field);
            if (shown.isNull() == value.isNull() && shown.toString() == value.toString())
                position = i;
        }
    } else if (const KeyIndex* index = keyIndex(field->fieldName())) {
        position = positionOfRow(index->find(value));
    }
    if (position < 0)
        return false;
    m_bof = m_eof = false;
    setPosition(position);
    scrolled();
    return true;
}

QVariant Dataset::lookup(const QString& keyField, const QVariant& key, const QString& resultField)
{
    const int row = lookupRow(keyField, key);
    const Field* result = row < 0 ? nullptr : findField(resultField);
    if (!result || result->isLookup())
        return {};
    return m_store.value(row, result->storeColumn());
}

int Dataset::lookupRow(const QString& keyField, const QVariant& key)
{
    if (!isActive() || key.isNull())
        return -1;
    const KeyIndex* index = keyIndex(keyField);
    return index ? index->find(key) : -1;
}

const KeyIndex* Dataset::keyIndex(const QString& fieldName)
{
    auto index = m_keyIndex.find(fieldName);
    if (index == m_keyIndex.end()) {
        const Field* field = findField(fieldName);
        if (!field || field->isLookup())
            return nullptr;
        index = m_keyIndex.insert(fieldName, KeyIndex(m_store, field->storeColumn(), m_order));
    }
    return &*index;
}

} // namespace zeb
