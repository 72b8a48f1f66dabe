#include "Dataset.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "Field.h"
#include "ResultCursor.h"
#include "WriteBack.h"

#include <QCollator>
#include <algorithm>

namespace zeb {

namespace {

QString closedMessage()
{
    return QStringLiteral("Cannot perform this operation on a closed dataset");
}

// Lookup keys compare as text so that 5, 5.0 and "5" meet.
QString keyText(const QVariant& value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok && value.typeId() != QMetaType::QString && number == double(qint64(number)))
        return QString::number(qint64(number));
    return value.toString();
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
    m_lookupIndex.clear();
    m_writeBack.reset();
}

void Dataset::close()
{
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_modified = false;
    m_buffer.clear();
    m_readRow.clear();
    m_store.clear();
    m_order.clear();
    m_position = -1;
    m_bof = m_eof = true;
    m_lookupIndex.clear();
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
    const int index = fieldIndex(fieldByName(fieldName)->fieldName());
    const QString wanted = keyText(value);
    for (size_t i = 0; i < m_order.size(); ++i) {
        const QVariant cell = valueAt(int(i), index);
        if (cell.isNull() != value.isNull())
            continue;
        if (value.isNull() || keyText(cell) == wanted) {
            m_bof = m_eof = false;
            setPosition(int(i));
            scrolled();
            return true;
        }
    }
    return false;
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
    const auto found = std::find(m_order.begin(), m_order.end(), row);
    return ok && found != m_order.end() ? int(found - m_order.begin()) : -1;
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
    m_readRow = storedRow(currentStoreRow());
    m_buffer = m_readRow;
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
    m_buffer = QVariantList(m_store.columnCount());
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
    } else if (m_state == State::Edit) {
        notifyRow(m_position);
    } else {
        return;
    }
    m_buffer.clear();
    m_readRow.clear();
    m_modified = false;
    setState(State::Browse);
}

void Dataset::checkRequiredFields() const
{
    for (const auto& field : m_fields) {
        if (field->isRequired() && !field->isLookup() && m_buffer[field->storeColumn()].isNull())
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
        const QVariantList stored = writeBack().insert(m_buffer);
        for (int c = 0; c < m_store.columnCount(); ++c)
            m_store.setValue(row, c, stored[c]);
    } else {
        writeBack().update(m_readRow, m_buffer);
        for (int c = 0; c < m_store.columnCount(); ++c) {
            if (m_buffer.at(c) != m_readRow.at(c))
                m_store.setValue(row, c, m_buffer[c]);
        }
    }
    m_lookupIndex.clear();
    m_buffer.clear();
    m_readRow.clear();
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
    m_lookupIndex.clear();
    if (!controlsDisabled())
        Q_EMIT rowRemoved(position);
    m_eof = m_order.empty();
    setPosition(qMin(position, int(m_order.size()) - 1));
    scrolled();
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
    const int storeColumn = field->storeColumn();
    if (storeColumn < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(field->fieldName()));
    const int current = currentStoreRow();

    QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const bool textual = field->dataType() == FieldType::Text || field->dataType() == FieldType::Memo ||
                         field->dataType() == FieldType::Unknown;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const QVariant left = m_store.value(a, storeColumn);
        const QVariant right = m_store.value(b, storeColumn);
        if (left.isNull() || right.isNull())
            return left.isNull() && !right.isNull();
        if (textual)
            return collator.compare(left.toString(), right.toString()) < 0;
        return QVariant::compare(left, right) == QPartialOrdering::Less;
    });
    if (current >= 0)
        m_position = int(std::find(m_order.begin(), m_order.end(), current) - m_order.begin());
    rowsReplaced();
    if (!controlsDisabled())
        Q_EMIT currentRowChanged(m_position);
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
    if (position == m_position && (m_state == State::Edit || m_state == State::Insert))
        return m_buffer[field.storeColumn()];
    return m_store.value(m_order[size_t(position)], field.storeColumn());
}

QVariant Dataset::lookup(const QString& keyField, const QVariant& key, const QString& resultField)
{
    if (!isActive() || key.isNull())
        return {};
    const Field* keyColumn = findField(keyField);
    const Field* result = findField(resultField);
    if (!keyColumn || !result || keyColumn->storeColumn() < 0 || result->storeColumn() < 0)
        return {};
    QHash<QString, int>& index = m_lookupIndex[keyColumn->fieldName().toLower()];
    if (index.isEmpty()) {
        for (auto row = m_order.rbegin(); row != m_order.rend(); ++row) {
            if (!m_store.isNull(*row, keyColumn->storeColumn()))
                index.insert(keyText(m_store.value(*row, keyColumn->storeColumn())), *row);
        }
    }
    const auto found = index.constFind(keyText(key));
    if (found == index.constEnd())
        return {};
    return m_store.value(*found, result->storeColumn());
}

QVariant Dataset::fieldValue(const Field& field) const
{
    checkActive();
    return valueAt(m_position, field);
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
    m_buffer[field.storeColumn()] = value;
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
