#include "data/ResultCursor.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "data/dataset/WriteBack.h"

namespace zeb {

void Dataset::edit()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_order.empty()) {
        insert();
        return;
    }
    m_edits.start(m_store.columnCount());
    m_modified = false;
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
}

void Dataset::insert()
{
    checkBrowseMode();
    startInsert(m_position < 0 ? 0 : m_position);
}

void Dataset::append()
{
    checkBrowseMode();
    startInsert(int(m_order.size()));
}

void Dataset::startInsert(int position)
{
    const int row = m_store.appendRow();
    m_order.insert(m_order.begin() + position, row);
    m_edits.start(m_store.columnCount());
    m_modified = false;
    m_position = position;
    m_bof = m_eof = false;
    if (!controlsDisabled())
        Q_EMIT rowInserted(position);
    setPosition(position);
    setState(State::Insert);
}

void Dataset::cancel()
{
    checkActive();
    if (m_state == State::Insert) {
        const int position = m_position;
        m_order.erase(m_order.begin() + position);
        if (!controlsDisabled())
            Q_EMIT rowRemoved(position);
        setPosition(qMin(position, int(m_order.size()) - 1));
    } else if (m_state != State::Edit) {
        return;
    }
    const bool edited = m_state == State::Edit;
    m_edits.clear();
    m_modified = false;
    setState(State::Browse);
    // Views read the row again only once the edit is gone, so they show the stored values.
    if (edited)
        notifyRow(m_position);
}

void Dataset::checkRequiredFields() const
{
    for (const auto& field : m_fields) {
        if (field->isRequired() && !field->isLookup() && isNullAt(m_position, *field))
            throw Error(QStringLiteral("Field '%1' must have a value").arg(field->fieldName()));
    }
}

void Dataset::post()
{
    checkActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    Q_EMIT updatingRecord();
    if (beforePost)
        beforePost(*this);
    try {
        checkRequiredFields();
    } catch (const Error& failure) {
        PostErrorAction action = PostErrorAction::Fail;
        if (postError)
            postError(*this, failure, action);
        if (action == PostErrorAction::Abort)
            throw Abort();
        throw;
    }

    const int row = currentStoreRow();
    if (m_state == State::Insert) {
        // The new row is stored all NULL until the server has it.
        QVariantList values;
        values.reserve(m_store.columnCount());
        for (int c = 0; c < m_store.columnCount(); ++c)
            values.append(m_edits.isWritten(c) ? m_edits.value(c) : QVariant());
        const WriteBack::StoredRow stored = writeBack().insert(values);
        for (int c = 0; c < m_store.columnCount(); ++c)
            m_store.setValue(row, c, values[c]);
        // Read as an opened row is, so that the next save of the row finds it as the server holds it.
        if (stored.rows)
            m_store.setRow(row, *stored.rows, stored.sourceColumns);
    } else {
        QList<CellChange> changes;
        for (int c = 0; c < m_store.columnCount(); ++c) {
            if (!m_edits.isWritten(c))
                continue;
            QVariant old = m_store.value(row, c);
            if (m_edits.value(c) != old)
                changes.append(CellChange{c, std::move(old), m_edits.value(c)});
        }
        WriteBack& writer = writeBack();
        writer.update(m_store.value(row, writer.keyColumn()), changes);
        for (const CellChange& change : std::as_const(changes))
            m_store.setValue(row, change.column, change.newValue);
    }
    m_keyIndex.clear();
    m_edits.clear();
    m_modified = false;
    setState(State::Browse);
    notifyRow(m_position);
}

void Dataset::remove()
{
    checkActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_order.empty())
        throw Error(QStringLiteral("В списке нет записей: удалять нечего."));
    if (m_state == State::Edit)
        cancel();
    if (beforeDelete)
        beforeDelete(*this);
    const int row = currentStoreRow();
    writeBack().remove(storedRow(row));

    const int position = m_position;
    m_order.erase(m_order.begin() + position);
    m_keyIndex.clear();
    if (!controlsDisabled())
        Q_EMIT rowRemoved(position);
    m_eof = m_order.empty();
    setPosition(qMin(position, int(m_order.size()) - 1));
    scrolled();
}

void Dataset::lockCurrentRowUnchanged()
{
    checkActive();
    if (m_order.empty() || m_state == State::Insert)
        return;
    writeBack().lockUnchanged(storedRow(currentStoreRow()));
}

QVariantList Dataset::storedRow(int row) const
{
    QVariantList values;
    values.reserve(m_store.columnCount());
    for (int c = 0; c < m_store.columnCount(); ++c)
        values.append(m_store.value(row, c));
    return values;
}

WriteBack& Dataset::writeBack()
{
    if (m_writeBack)
        return *m_writeBack;
    const std::optional<QString> table =
        m_tableName.isEmpty() ? WriteBack::tableOf(m_sql) : std::optional<QString>(m_tableName);
    if (!table)
        throw Error(QStringLiteral("Набор данных «%1» нельзя изменить: его запрос читает не одну таблицу.")
                        .arg(m_name));
    QList<WriteBack::Column> columns;
    int keyColumn = -1;
    for (const auto& field : m_fields) {
        if (field->isLookup())
            continue;
        if (field->fieldName().compare(m_keyField, Qt::CaseInsensitive) == 0)
            keyColumn = int(columns.size());
        columns.append(WriteBack::Column{field->fieldName(), field->dataType()});
    }
    if (keyColumn < 0)
        throw Error(QStringLiteral("Набор данных «%1» нельзя изменить: не задан ключ записи.").arg(m_name));
    m_writeBack = std::make_unique<WriteBack>(*m_connection, *table, columns, keyColumn);
    return *m_writeBack;
}

void Dataset::setFieldValue(const Field& field, const QVariant& value)
{
    checkActive();
    checkEditing();
    if (field.isLookup()) {
        setLookupValue(field, value);
        return;
    }
    m_edits.write(field.storeColumn(), value);
    m_modified = true;
    notifyRow(m_position);
}

// Writing a lookup field finds the shown text in the lookup dataset and writes that row's key.
void Dataset::setLookupValue(const Field& field, const QVariant& value)
{
    const FieldDef& def = field.definition();
    Field* key = fieldByName(def.keyField);
    if (value.isNull() || value.toString().isEmpty()) {
        key->clear();
        return;
    }
    Dataset* lookup = def.lookupDataset;
    if (!lookup || !lookup->isActive())
        throw Error(closedMessage());
    const int result = lookup->fieldIndex(lookup->fieldByName(def.lookupResultField)->fieldName());
    const int lookupKey = lookup->fieldIndex(lookup->fieldByName(def.lookupKeyField)->fieldName());
    for (int row = 0; row < lookup->recordCount(); ++row) {
        if (lookup->valueAt(row, result).toString() == value.toString()) {
            key->setValue(lookup->valueAt(row, lookupKey));
            return;
        }
    }
    throw Error(QStringLiteral("Значения «%1» нет в справочнике.").arg(value.toString()));
}

} // namespace zeb
