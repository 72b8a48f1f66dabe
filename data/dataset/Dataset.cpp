#include "data/dataset/Dataset.h"

#include "data/dataset/CollatedTexts.h"
#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/dataset/Field.h"
#include "data/ResultCursor.h"
#include "data/dataset/WriteBack.h"

#include <algorithm>

namespace zeb {

namespace {

QString closedMessage()
{
    return QStringLiteral("Cannot perform this operation on a closed dataset");
}

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

Dataset::Dataset(QString name, Connection* connection, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_connection(connection)
{
}

Dataset::~Dataset() = default;

void Dataset::setSql(const QString& sql)
{
    close();
    m_sql = sql;
}

void Dataset::setTableName(const QString& table)
{
    close();
    m_tableName = table;
    m_sql = QStringLiteral("select * from ") + table;
}

void Dataset::setFieldDefs(const QList<FieldDef>& defs)
{
    close();
    m_fields.clear();
    m_fixedFields = true;
    int storeColumn = 0;
    for (const FieldDef& def : defs) {
        const bool lookup = def.kind == FieldDef::Kind::Lookup;
        m_fields.push_back(std::make_unique<Field>(*this, def, lookup ? -1 : storeColumn++));
    }
    indexFields();
}

int Dataset::fieldIndex(const QString& name) const
{
    const auto spelled = m_fieldIndex.constFind(name);
    if (spelled != m_fieldIndex.constEnd())
        return *spelled;
    return m_foldedFieldIndex.value(name.toCaseFolded(), -1);
}

// Rules look fields up by name on every save. A name spelled as defined is found without folding its case;
// of names equal but for case, the first field is the one found.
void Dataset::indexFields()
{
    m_foldedFieldIndex.clear();
    for (int i = int(m_fields.size()) - 1; i >= 0; --i)
        m_foldedFieldIndex.insert(m_fields[size_t(i)]->fieldName().toCaseFolded(), i);
    m_fieldIndex.clear();
    for (const auto& field : m_fields)
        m_fieldIndex.insert(field->fieldName(), m_foldedFieldIndex.value(field->fieldName().toCaseFolded()));
}

Field* Dataset::findField(const QString& name) const
{
    const int index = fieldIndex(name);
    return index < 0 ? nullptr : m_fields[size_t(index)].get();
}

Field* Dataset::fieldByName(const QString& name) const
{
    if (Field* field = findField(name))
        return field;
    throw Error(QStringLiteral("Field '%1' not found").arg(name));
}

void Dataset::open()
{
    if (isActive())
        return;
    for (const auto& field : m_fields) {
        Dataset* lookup = field->definition().lookupDataset;
        if (field->isLookup() && lookup && !lookup->isActive())
            lookup->open();
    }
    loadRows();
    m_state = State::Browse;
    m_modified = false;
    m_position = m_order.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_order.empty();
    rowsReplaced();
    Q_EMIT stateChanged();
    if (!m_order.empty())
        scrolled();
}

void Dataset::loadRows()
{
    std::unique_ptr<ResultCursor> cursor = m_connection->query(m_sql);
    const ColumnList& columns = cursor->columns();
    auto sourceOf = [&columns](const QString& name) {
        for (int c = 0; c < columns.size(); ++c) {
            if (columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
                return c;
        }
        return -1;
    };

    std::vector<int> sources;
    QList<FieldType> types;
    if (m_fixedFields) {
        for (const auto& field : m_fields) {
            if (field->isLookup())
                continue;
            const int source = sourceOf(field->fieldName());
            if (source < 0)
                throw Error(QStringLiteral("Field '%1' not found").arg(field->fieldName()));
            sources.push_back(source);
            types.append(field->dataType());
        }
    } else {
        m_fields.clear();
        for (int c = 0; c < columns.size(); ++c) {
            m_fields.push_back(std::make_unique<Field>(
                *this, FieldDef::data(columns[c].name, columns[c].type, columns[c].size), c));
            sources.push_back(c);
            types.append(columns[c].type);
        }
        indexFields();
    }

    m_store = RowStore(types);
    m_store.load(*cursor, sources);
    m_order.resize(size_t(m_store.rowCount()));
    for (int i = 0; i < m_store.rowCount(); ++i)
        m_order[size_t(i)] = i;
    m_keyIndex.clear();
    m_writeBack.reset();
}

void Dataset::close()
{
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_modified = false;
    m_edits.clear();
    m_store.clear();
    m_order = std::vector<int>();
    m_position = -1;
    m_bof = m_eof = true;
    m_keyIndex.clear();
    m_writeBack.reset();
    if (!m_fixedFields) {
        m_fields.clear();
        indexFields();
    }
    rowsReplaced();
    Q_EMIT stateChanged();
}

qint64 Dataset::execSql()
{
    return m_connection->execute(m_sql);
}

void Dataset::checkActive() const
{
    if (!isActive())
        throw Error(closedMessage());
}

void Dataset::checkEditing() const
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw Error(QStringLiteral("Запись не открыта для правки."));
}

// An edited row is saved before anything moves; an untouched new row is dropped.
void Dataset::checkBrowseMode()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Dataset::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void Dataset::setPosition(int position)
{
    m_position = position;
    if (!controlsDisabled())
        Q_EMIT currentRowChanged(position);
}

void Dataset::scrolled()
{
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::first()
{
    checkBrowseMode();
    setPosition(m_order.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_order.empty();
    scrolled();
}

void Dataset::last()
{
    checkBrowseMode();
    setPosition(int(m_order.size()) - 1);
    m_bof = m_order.empty();
    m_eof = true;
    scrolled();
}

void Dataset::next()
{
    checkBrowseMode();
    m_bof = false;
    if (m_position + 1 >= int(m_order.size())) {
        m_eof = true;
        return;
    }
    m_eof = false;
    setPosition(m_position + 1);
    scrolled();
}

void Dataset::prior()
{
    checkBrowseMode();
    m_eof = false;
    if (m_position <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    setPosition(m_position - 1);
    scrolled();
}

void Dataset::moveTo(int position)
{
    checkBrowseMode();
    if (position < 0 || position >= int(m_order.size()))
        return;
    m_bof = m_eof = false;
    if (position == m_position)
        return;
    setPosition(position);
    scrolled();
}

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

QByteArray Dataset::bookmark() const
{
    checkActive();
    return bookmarkAt(m_position);
}

void Dataset::gotoBookmark(const QByteArray& bookmark)
{
    checkBrowseMode();
    const int position = positionOf(bookmark);
    if (position < 0)
        throw Error(QStringLiteral("Запись не найдена: список обновился."));
    m_bof = m_eof = false;
    setPosition(position);
    scrolled();
}

QByteArray Dataset::bookmarkAt(int position) const
{
    if (position < 0 || position >= int(m_order.size()))
        return {};
    return QByteArray::number(m_order[size_t(position)]);
}

int Dataset::positionOf(const QByteArray& bookmark) const
{
    bool ok = false;
    const int row = bookmark.toInt(&ok);
    return ok ? positionOfRow(row) : -1;
}

int Dataset::positionOfRow(int row) const
{
    const auto found = std::find(m_order.begin(), m_order.end(), row);
    return row >= 0 && found != m_order.end() ? int(found - m_order.begin()) : -1;
}

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

void Dataset::disableControls()
{
    ++m_controlsDisabled;
}

void Dataset::enableControls()
{
    if (m_controlsDisabled == 0 || --m_controlsDisabled > 0)
        return;
    if (m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        Q_EMIT layoutReset();
    }
    Q_EMIT currentRowChanged(m_position);
}

void Dataset::rowsReplaced()
{
    if (controlsDisabled())
        m_changedWhileDisabled = true;
    else
        Q_EMIT layoutReset();
}

void Dataset::notifyRow(int position)
{
    if (controlsDisabled())
        m_changedWhileDisabled = true;
    else if (position >= 0)
        Q_EMIT rowChanged(position);
}

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
        QHash<int, int> idOfLookupRow;
        for (int row : m_order) {
            const int found = lookup.lookupRow(def.lookupKeyField, m_store.value(row, key->storeColumn()));
            if (found < 0 || !result || result->isLookup())
                continue;
            auto id = idOfLookupRow.find(found);
            if (id == idOfLookupRow.end()) {
                const QVariant shown = lookup.m_store.value(found, result->storeColumn());
                id = idOfLookupRow.insert(found, shown.isNull() ? -1 : texts.add(shown.toString()));
            }
            ids[size_t(row)] = *id;
        }
    }
    const std::vector<int> ranks = texts.ranks();
    for (int& id : ids) {
        if (id >= 0)
            id = ranks[size_t(id)];
    }
    return ids;
}

qsizetype Dataset::memoryUsage() const
{
    return m_store.memoryUsage() + qsizetype(m_order.capacity() * sizeof(int));
}

QVariant Dataset::valueAt(int position, int fieldIndex) const
{
    return valueAt(position, *m_fields[size_t(fieldIndex)]);
}

QVariant Dataset::valueAt(int position, const Field& field) const
{
    if (field.isLookup()) {
        const FieldDef& def = field.definition();
        const int keyIndex = this->fieldIndex(def.keyField);
        if (keyIndex < 0 || !def.lookupDataset)
            return {};
        return def.lookupDataset->lookup(def.lookupKeyField, valueAt(position, keyIndex),
                                         def.lookupResultField);
    }
    if (position < 0 || position >= int(m_order.size()))
        return {};
    const int column = field.storeColumn();
    if (editsRow(position) && m_edits.isWritten(column))
        return m_edits.value(column);
    return m_store.value(m_order[size_t(position)], column);
}

bool Dataset::isNullAt(int position, const Field& field) const
{
    if (field.isLookup())
        return valueAt(position, field).isNull();
    if (position < 0 || position >= int(m_order.size()))
        return true;
    const int column = field.storeColumn();
    if (editsRow(position) && m_edits.isWritten(column))
        return m_edits.value(column).isNull();
    return m_store.isNull(m_order[size_t(position)], column);
}

bool Dataset::editsRow(int position) const
{
    return position == m_position && (m_state == State::Edit || m_state == State::Insert);
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

QVariant Dataset::fieldValue(const Field& field) const
{
    checkActive();
    return valueAt(m_position, field);
}

bool Dataset::fieldIsNull(const Field& field) const
{
    checkActive();
    return isNullAt(m_position, field);
}

QVariant Dataset::fieldOldValue(const Field& field) const
{
    checkActive();
    if (field.isLookup() || m_position < 0)
        return fieldValue(field);
    return m_store.value(currentStoreRow(), field.storeColumn());
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
