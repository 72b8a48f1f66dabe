#include "data/dataset/WriteBack.h"

#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/NativeSql.h"
#include "tsql/TsqlTokenizer.h"

#include <QStringList>

namespace zeb {

namespace {

const QStringList notOneTable = {
    QStringLiteral("JOIN"),      QStringLiteral("GROUP"),    QStringLiteral("UNION"),
    QStringLiteral("HAVING"),    QStringLiteral("DISTINCT"), QStringLiteral("EXCEPT"),
    QStringLiteral("INTERSECT"),
};

QString param(EngineKind engine, QVariantList& params, const QVariant& value)
{
    params.append(value);
    return nativesql::placeholder(engine, int(params.size()) - 1);
}

} // namespace

WriteBack::WriteBack(Connection& connection, QString table, QList<Column> columns, int keyColumn)
    : m_connection(connection), m_table(std::move(table)), m_columns(std::move(columns)),
      m_keyColumn(keyColumn)
{
}

std::optional<QString> WriteBack::tableOf(const QString& statement)
{
    QList<TsqlToken> tokens;
    for (const TsqlToken& token : tokenizeTsql(statement)) {
        if (token.isSignificant())
            tokens.append(token);
    }
    if (tokens.isEmpty() || !tokens.first().isWord(u"SELECT"))
        return std::nullopt;
    for (const TsqlToken& token : tokens) {
        for (const QString& word : notOneTable) {
            if (token.isWord(word))
                return std::nullopt;
        }
    }
    qsizetype i = 0;
    int depth = 0;
    for (; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol(u"("))
            ++depth;
        else if (tokens[i].isSymbol(u")"))
            --depth;
        else if (depth == 0 && tokens[i].isWord(u"FROM"))
            break;
    }
    QString table;
    for (++i; i < tokens.size() && tokens[i].isNameToken(); ++i) {
        table = tokens[i].value;
        if (i + 1 < tokens.size() && tokens[i + 1].isSymbol(u"."))
            ++i;
        else
            break;
    }
    if (table.isEmpty())
        return std::nullopt;
    ++i;
    if (i < tokens.size() && !tokens[i].isWord(u"WHERE") && !tokens[i].isWord(u"ORDER") &&
        !tokens[i].isSymbol(u";"))
        return std::nullopt;
    return table;
}

WriteStatements& WriteBack::statements()
{
    const EngineKind engine = m_connection.engineKind();
    if (!m_statements || m_statements->engine() != engine)
        m_statements.emplace(engine, m_table, m_columns, m_keyColumn);
    return *m_statements;
}

void WriteBack::update(const QVariant& key, const QList<CellChange>& changes)
{
    QVariantList params;
    const QString sql = statements().update(key, changes, params);
    if (sql.isEmpty())
        return;
    if (m_connection.engine().runPrepared(sql, params) != 1)
        raiseConflict(key, false);
}

WriteBack::StoredRow WriteBack::insert(const QVariantList& newValues)
{
    const WriteStatements& statements = this->statements();
    const EngineKind engine = statements.engine();
    QVariantList params;
    QStringList names;
    QStringList markers;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (c == m_keyColumn || newValues[c].isNull())
            continue;
        names.append(statements.column(c));
        markers.append(param(engine, params, newValues[c]));
    }
    const QString& table = statements.table();
    QString sql;
    if (engine == EngineKind::SqlServer) {
        sql = names.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 OUTPUT INSERTED.* DEFAULT VALUES").arg(table)
                  : QStringLiteral("INSERT INTO %1 (%2) OUTPUT INSERTED.* VALUES (%3)")
                        .arg(table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")));
    } else {
        sql = names.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING *").arg(table)
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING *")
                        .arg(table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")));
    }
    StatementResult result = m_connection.engine().run(sql, params);
    if (!result.rows || !result.rows->next())
        return {};
    StoredRow stored{std::move(result.rows), std::vector<int>(size_t(m_columns.size()), -1)};
    const ColumnList& returned = stored.rows->columns();
    for (int r = 0; r < returned.size(); ++r) {
        for (int c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c].name.compare(returned[r].name, Qt::CaseInsensitive) == 0)
                stored.sourceColumns[size_t(c)] = r;
        }
    }
    return stored;
}

void WriteBack::remove(const QVariantList& oldValues)
{
    QVariantList params;
    const QString sql = statements().remove(oldValues, params);
    if (m_connection.engine().runPrepared(sql, params) != 1)
        raiseConflict(oldValues[m_keyColumn], true);
}

void WriteBack::lockUnchanged(const QVariantList& oldValues)
{
    QVariantList params;
    const QString sql = statements().lockUnchanged(oldValues, params);
    StatementResult result = m_connection.engine().run(sql, params);
    const bool found = result.rows && result.rows->next();
    result.rows.reset();
    if (!found)
        raiseConflict(oldValues[m_keyColumn], true);
}

void WriteBack::raiseConflict(const QVariant& key, bool deleting)
{
    const WriteStatements& statements = this->statements();
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = %3")
            .arg(statements.table(), statements.column(m_keyColumn), param(statements.engine(), params, key));
    StatementResult result = m_connection.engine().run(sql, params);
    const bool exists = result.rows && result.rows->next();
    result.rows.reset();
    if (!exists)
        throw DatabaseError(
            QStringLiteral("Запись уже удалена другим пользователем. Ваши изменения не сохранены; "
                           "обновите данные."));
    throw DatabaseError(deleting
                            ? QStringLiteral("Запись изменена другим пользователем после того, как вы её "
                                             "открыли, и не удалена. Обновите данные и повторите удаление.")
                            : QStringLiteral("Запись изменена другим пользователем после того, как вы её "
                                             "открыли. Ваши изменения не сохранены: обновите данные и "
                                             "повторите правку."));
}

} // namespace zeb
