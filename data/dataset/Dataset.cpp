#include "data/dataset/Dataset.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "data/dataset/Field.h"
#include "data/dataset/WriteBack.h"

namespace zeb {

QString Dataset::closedMessage()
{
    return QStringLiteral("Cannot perform this operation on a closed dataset");
}

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

} // namespace zeb
