#include "data/dataset/WriteStatements.h"

#include "data/NativeSql.h"

#include <QDate>
#include <QDateTime>

namespace zeb {

namespace {

// A shape is its kind, then one byte of flags per column.
constexpr char UpdateShape = 'U';
constexpr char DeleteShape = 'D';
constexpr char CheckShape = 'C';
constexpr char Assigned = 1;
constexpr char ReadNull = 2;
constexpr char Compared = 4;

// The shapes of one table are few; should that stop being true, starting over beats growing.
constexpr qsizetype MaxShapes = 256;

// SQL Server takes a marker's type from how the driver binds it: a long text comes as ntext, which '='
// refuses; a date-time as datetime2, which never equals a stored datetime ending in .003 or .007. So each
// marker says the type it stands for. A decimal goes as its exact text, which the server reads into the
// column's own type.
QString sqlServerType(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return QStringLiteral("bit");
    case FieldType::Integer:
        return QStringLiteral("bigint");
    case FieldType::Float:
        return QStringLiteral("float");
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("nvarchar(max)");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::DateTime:
        return QStringLiteral("datetime");
    case FieldType::Binary:
        return QStringLiteral("varbinary(max)");
    case FieldType::Decimal:
    case FieldType::Unknown:
        break;
    }
    return {};
}

// The type a NULL of the field is bound with: the server refuses an untyped one for float and date columns.
QMetaType boundType(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return QMetaType::fromType<bool>();
    case FieldType::Integer:
        return QMetaType::fromType<qlonglong>();
    case FieldType::Float:
        return QMetaType::fromType<double>();
    case FieldType::Date:
        return QMetaType::fromType<QDate>();
    case FieldType::DateTime:
        return QMetaType::fromType<QDateTime>();
    case FieldType::Binary:
        return QMetaType::fromType<QByteArray>();
    case FieldType::Decimal:
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    return QMetaType::fromType<QString>();
}

} // namespace

WriteStatements::WriteStatements(EngineKind engine, const QString& table, const QList<WriteColumn>& columns,
                                 int keyColumn)
    : m_engine(engine), m_table(nativesql::quoteIdentifier(engine, table)), m_keyColumn(keyColumn)
{
    for (const WriteColumn& column : columns) {
        m_names.append(nativesql::quoteIdentifier(engine, column.name));
        m_types.append(column.type);
    }
}

QString WriteStatements::update(const QVariant& key, const QList<CellChange>& changes, QVariantList& params)
{
    QByteArray shape(m_names.size() + 1, '\0');
    shape[0] = UpdateShape;
    params.reserve(2 * changes.size() + 1);
    bool assigns = false;
    for (const CellChange& change : changes) {
        if (change.column == m_keyColumn)
            continue;
        // The key and what this save changes: another workstation's save of other columns stays as it is,
        // one of the same columns makes this save fail.
        shape[change.column + 1] = Assigned | Compared;
        params.append(bound(change.column, change.newValue));
        assigns = true;
    }
    if (!assigns)
        return {};
    shape[m_keyColumn + 1] = Compared;
    bool keyAdded = false;
    for (const CellChange& change : changes) {
        if (!keyAdded && m_keyColumn <= change.column) {
            addReadValue(m_keyColumn, key, shape, params);
            keyAdded = true;
        }
        if (change.column != m_keyColumn)
            addReadValue(change.column, change.oldValue, shape, params);
    }
    if (!keyAdded)
        addReadValue(m_keyColumn, key, shape, params);
    return textOf(shape);
}

QString WriteStatements::remove(const QVariantList& oldValues, QVariantList& params)
{
    return wholeRowStatement(DeleteShape, oldValues, params);
}

QString WriteStatements::lockUnchanged(const QVariantList& oldValues, QVariantList& params)
{
    return wholeRowStatement(CheckShape, oldValues, params);
}

QString WriteStatements::wholeRowStatement(char kind, const QVariantList& oldValues, QVariantList& params)
{
    QByteArray shape(m_names.size() + 1, Compared);
    shape[0] = kind;
    params.reserve(m_names.size());
    for (int c = 0; c < m_names.size(); ++c)
        addReadValue(c, oldValues[c], shape, params);
    return textOf(shape);
}

// A compared column must still hold what was read; NULL equals NULL.
WriteStatements::Comparison WriteStatements::comparison(int column, bool readNull) const
{
    switch (m_engine) {
    case EngineKind::Sqlite:
        if (m_types[column] == FieldType::Date)
            return Comparison::DateIs;
        if (m_types[column] == FieldType::DateTime)
            return Comparison::DateTimeIs;
        return Comparison::Is;
    case EngineKind::Postgres:
        // The server finds a key compared with '=' through its index; IS NOT DISTINCT FROM reads the table.
        return column == m_keyColumn && !readNull ? Comparison::Equal : Comparison::NotDistinct;
    case EngineKind::SqlServer:
        break;
    }
    return readNull ? Comparison::IsNull : Comparison::Equal;
}

// The shape notes a NULL only where it changes the text.
void WriteStatements::addReadValue(int column, const QVariant& old, QByteArray& shape,
                                   QVariantList& params) const
{
    const bool readNull = old.isNull();
    const Comparison compared = comparison(column, readNull);
    if (readNull && compared != comparison(column, false))
        shape[column + 1] = char(shape[column + 1] | ReadNull);
    if (compared != Comparison::IsNull)
        params.append(bound(column, old));
}

QVariant WriteStatements::bound(int column, const QVariant& value) const
{
    if (m_engine != EngineKind::SqlServer || !value.isNull())
        return value;
    return QVariant(boundType(m_types[column]));
}

QString WriteStatements::marker(int column, int index) const
{
    const QString placeholder = nativesql::placeholder(m_engine, index);
    if (m_engine != EngineKind::SqlServer)
        return placeholder;
    const QString type = sqlServerType(m_types[column]);
    return type.isEmpty() ? placeholder : QStringLiteral("CAST(%1 AS %2)").arg(placeholder, type);
}

QString WriteStatements::textOf(const QByteArray& shape)
{
    if (const auto found = m_texts.constFind(shape); found != m_texts.constEnd())
        return *found;
    if (m_texts.size() >= MaxShapes)
        m_texts.clear();
    return *m_texts.insert(shape, write(shape));
}

QString WriteStatements::write(const QByteArray& shape) const
{
    if (shape[0] == DeleteShape)
        return QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, sameRowCondition(shape, 0));
    if (shape[0] == CheckShape) {
        // PostgreSQL holds the row until the transaction ends; SQLite's write transaction holds the file.
        const QString lock = m_engine == EngineKind::Postgres ? QStringLiteral(" FOR UPDATE") : QString();
        return QStringLiteral("SELECT 1 FROM %1 WHERE %2%3").arg(m_table, sameRowCondition(shape, 0), lock);
    }
    QStringList assignments;
    for (int c = 0; c < m_names.size(); ++c) {
        if (shape[c + 1] & Assigned)
            assignments.append(m_names[c] + QStringLiteral(" = ") + marker(c, int(assignments.size())));
    }
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3")
        .arg(m_table, assignments.join(QStringLiteral(", ")),
             sameRowCondition(shape, int(assignments.size())));
}

// `next` is the index of the condition's first parameter.
QString WriteStatements::sameRowCondition(const QByteArray& shape, int next) const
{
    QStringList terms;
    for (int c = 0; c < m_names.size(); ++c) {
        if (!(shape[c + 1] & Compared))
            continue;
        const Comparison compared = comparison(c, shape[c + 1] & ReadNull);
        const QString value = compared == Comparison::IsNull ? QString() : marker(c, next++);
        terms.append(term(compared, m_names[c], value));
    }
    return terms.join(QStringLiteral(" AND "));
}

QString WriteStatements::term(Comparison compared, const QString& name, const QString& value)
{
    switch (compared) {
    case Comparison::Is:
        return QStringLiteral("%1 IS %2").arg(name, value);
    case Comparison::DateIs:
        return QStringLiteral("date(%1) IS date(%2)").arg(name, value);
    case Comparison::DateTimeIs:
        return QStringLiteral("datetime(%1) IS datetime(%2)").arg(name, value);
    case Comparison::NotDistinct:
        return QStringLiteral("%1 IS NOT DISTINCT FROM %2").arg(name, value);
    case Comparison::Equal:
        break;
    case Comparison::IsNull:
        return QStringLiteral("%1 IS NULL").arg(name);
    }
    return QStringLiteral("%1 = %2").arg(name, value);
}

} // namespace zeb
