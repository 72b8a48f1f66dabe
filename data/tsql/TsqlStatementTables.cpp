#include "data/tsql/TsqlStatementTables.h"

namespace zeb {

namespace {

// Words that may follow a table name and are no alias of it.
bool isClauseWord(const TsqlTokenEdit& edit, qsizetype i)
{
    return edit.isOneOf(i, {u"WHERE",  u"INNER",  u"JOIN",   u"LEFT",    u"RIGHT",  u"FULL",
                            u"CROSS",  u"OUTER",  u"ON",     u"GROUP",   u"ORDER",  u"HAVING",
                            u"SET",    u"VALUES", u"SELECT", u"UNION",   u"EXCEPT", u"INTERSECT",
                            u"WITH",   u"OPTION", u"OUTPUT", u"DEFAULT", u"FOR",    u"APPLY",
                            u"INSERT", u"UPDATE", u"DELETE", u"EXEC",    u"EXECUTE"});
}

} // namespace

TsqlStatementTables::TsqlStatementTables(const TsqlTokenEdit& edit, const TsqlColumnTypes& types)
    : m_types(types)
{
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (!edit.isOneOf(i, {u"FROM", u"JOIN", u"UPDATE", u"INTO"}))
            continue;
        const bool list = edit.token(i).isWord(u"FROM");
        qsizetype last = readTable(edit, edit.nextSignificant(i));
        while (list && last >= 0 && edit.nextSignificant(last) < edit.size() &&
               edit.token(edit.nextSignificant(last)).isSymbol(u","))
            last = readTable(edit, edit.nextSignificant(edit.nextSignificant(last)));
    }
}

qsizetype TsqlStatementTables::readTable(const TsqlTokenEdit& edit, qsizetype first)
{
    if (first >= edit.size() || !edit.token(first).isNameToken() || isClauseWord(edit, first))
        return -1;
    qsizetype last = first;
    while (last + 2 < edit.size() && edit.token(last + 1).isSymbol(u".") &&
           edit.token(last + 2).isNameToken())
        last += 2;
    const QString table = edit.token(last).value;
    m_names.append(table);

    qsizetype alias = edit.nextSignificant(last);
    if (edit.isOneOf(alias, {u"AS"}))
        alias = edit.nextSignificant(alias);
    if (alias >= edit.size() || !edit.token(alias).isNameToken() || isClauseWord(edit, alias))
        return last;
    m_tables.insert(edit.token(alias).value.toLower(), table);
    return alias;
}

QString TsqlStatementTables::tableOf(const QString& name) const
{
    return m_tables.value(name.toLower(), name);
}

std::optional<FieldType> TsqlStatementTables::columnType(const QString& qualifier,
                                                         const QString& column) const
{
    if (!qualifier.isEmpty())
        return m_types.type(tableOf(qualifier), column);
    std::optional<FieldType> found;
    for (const QString& name : m_names) {
        const std::optional<FieldType> type = m_types.type(tableOf(name), column);
        if (!type)
            continue;
        if (found && *found != *type)
            return std::nullopt;
        found = type;
    }
    return found;
}

} // namespace zeb
