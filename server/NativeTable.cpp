#include "server/NativeTable.h"

#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/NativeSql.h"

namespace zeb {

NativeTable::NativeTable(Engine& engine, const QString& name) : m_engine(engine), m_kind(engine.kind())
{
    m_qualifiedName = nativesql::quoteIdentifier(m_kind, name);
    if (m_kind == EngineKind::Postgres)
        m_qualifiedName.prepend(QStringLiteral("dbo."));
}

QString NativeTable::column(const QString& name) const
{
    return nativesql::quoteIdentifier(m_kind, name);
}

QString NativeTable::placeholder(int index) const
{
    return nativesql::placeholder(m_kind, index);
}

qint64 NativeTable::insert(const QStringList& columns, const QVariantList& values,
                           const QString& keyColumn) const
{
    Q_ASSERT(columns.size() == values.size());
    QStringList names;
    QStringList markers;
    for (int i = 0; i < columns.size(); ++i) {
        names.append(column(columns.at(i)));
        markers.append(placeholder(i));
    }
    QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(m_qualifiedName, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")));
    if (keyColumn.isEmpty()) {
        m_engine.run(sql, values);
        return 0;
    }
    sql += QStringLiteral(" RETURNING ") + column(keyColumn);
    StatementResult result = m_engine.run(sql, values);
    if (!result.rows || !result.rows->next())
        throw DatabaseError(
            QStringLiteral("Сервер не сообщил ключ новой строки таблицы %1.").arg(m_qualifiedName));
    const qint64 key = result.rows->toInt64(0);
    // Step to the end so that the statement is finished before the next one.
    while (result.rows->next()) {
    }
    return key;
}

qint64 NativeTable::update(const QStringList& columns, const QVariantList& values, const QString& keyColumn,
                           const QVariant& key) const
{
    Q_ASSERT(columns.size() == values.size());
    QStringList assignments;
    for (int i = 0; i < columns.size(); ++i)
        assignments.append(column(columns.at(i)) + QStringLiteral(" = ") + placeholder(i));
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = %4")
                            .arg(m_qualifiedName, assignments.join(QStringLiteral(", ")), column(keyColumn),
                                 placeholder(int(columns.size())));
    QVariantList params = values;
    params.append(key);
    return m_engine.run(sql, params).rowsAffected;
}

void NativeTable::insertNames(const QString& keyColumn, const QString& nameColumn,
                              std::initializer_list<KeyedName> rows) const
{
    for (const KeyedName& row : rows)
        insert({keyColumn, nameColumn}, {row.key, QString::fromUtf8(row.name)});
}

} // namespace zeb
