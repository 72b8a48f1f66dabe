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

bool opensSubquery(const TsqlTokenEdit& edit, qsizetype i)
{
    return edit.token(i).isSymbol(u"(") && edit.isOneOf(edit.nextSignificant(i), {u"SELECT"});
}

// For each token, the '(' of the innermost subquery around it, or -1. Other parentheses (calls, lists,
// grouped joins) open no scope of names.
QList<qsizetype> subqueryScopes(const TsqlTokenEdit& edit)
{
    QList<qsizetype> scopes;
    scopes.reserve(edit.size());
    QList<qsizetype> open{-1}; // the scope inside each parenthesis still open
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (edit.token(i).isSymbol(u")") && open.size() > 1)
            open.removeLast();
        scopes.append(open.last());
        if (edit.token(i).isSymbol(u"("))
            open.append(opensSubquery(edit, i) ? i : open.last());
    }
    return scopes;
}

// The ')' closing the '(' at `open`, or the end of the statement.
qsizetype closingOf(const TsqlTokenEdit& edit, qsizetype open)
{
    qsizetype i = open + 1;
    while (i < edit.size() && !(edit.level(i) == edit.level(open) && edit.token(i).isSymbol(u")")))
        ++i;
    return i;
}

std::optional<FieldType> agreed(const QList<FieldType>& types)
{
    if (types.isEmpty() || types.count(types.first()) != types.size())
        return std::nullopt;
    return types.first();
}

} // namespace

TsqlStatementTables::TsqlStatementTables(const TsqlTokenEdit& edit, const TsqlColumnTypes& types)
    : m_types(types), m_scopes(subqueryScopes(edit))
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
    if (first >= edit.size())
        return -1;
    const bool derived = edit.token(first).isSymbol(u"(");
    if (!derived && (!edit.token(first).isNameToken() || isClauseWord(edit, first)))
        return -1;
    qsizetype last = derived ? closingOf(edit, first) : first;
    while (!derived && last + 2 < edit.size() && edit.token(last + 1).isSymbol(u".") &&
           edit.token(last + 2).isNameToken())
        last += 2;
    if (last >= edit.size())
        return -1;
    const QString table = derived ? QString() : edit.token(last).value;
    const qsizetype subquery = derived && opensSubquery(edit, first) ? first : -1;

    qsizetype alias = edit.nextSignificant(last);
    if (edit.isOneOf(alias, {u"AS"}))
        alias = edit.nextSignificant(alias);
    if (alias >= edit.size() || !edit.token(alias).isNameToken() || isClauseWord(edit, alias)) {
        if (!derived)
            declare(edit, last, table, subquery);
        return last;
    }
    declare(edit, alias, table, subquery);
    return alias;
}

void TsqlStatementTables::declare(const TsqlTokenEdit& edit, qsizetype alias, const QString& table,
                                  qsizetype subquery)
{
    m_sources.append({m_scopes.at(alias), edit.token(alias).value.toLower(), table, subquery});
}

// The last declaration of `name` at `scope` itself.
const TsqlStatementTables::Source* TsqlStatementTables::declared(const QString& name, qsizetype scope) const
{
    const QString key = name.toLower();
    for (auto source = m_sources.crbegin(); source != m_sources.crend(); ++source) {
        if (source->scope == scope && source->name == key)
            return &*source;
    }
    return nullptr;
}

std::optional<FieldType> TsqlStatementTables::typeOf(const Source& source, const QString& column) const
{
    // A subquery in FROM passes its tables' columns on under their names.
    if (source.subquery >= 0)
        return agreed(typesAt(source.subquery, column));
    // UPDATE names the alias its FROM declares.
    const Source* aliased = declared(source.table, source.scope);
    return m_types.type(aliased && aliased->subquery < 0 ? aliased->table : source.table, column);
}

QList<FieldType> TsqlStatementTables::typesAt(qsizetype scope, const QString& column) const
{
    QList<FieldType> types;
    for (const Source& source : m_sources) {
        if (source.scope != scope)
            continue;
        if (const std::optional<FieldType> type = typeOf(source, column))
            types.append(*type);
    }
    return types;
}

std::optional<FieldType> TsqlStatementTables::columnType(const QString& qualifier, const QString& column,
                                                         qsizetype position) const
{
    for (qsizetype scope = m_scopes.at(position);; scope = m_scopes.at(scope)) {
        if (!qualifier.isEmpty()) {
            if (const Source* source = declared(qualifier, scope))
                return typeOf(*source, column);
        } else if (const QList<FieldType> types = typesAt(scope, column); !types.isEmpty()) {
            return agreed(types);
        }
        if (scope < 0)
            break;
    }
    return qualifier.isEmpty() ? std::nullopt : m_types.type(qualifier, column);
}

} // namespace zeb
