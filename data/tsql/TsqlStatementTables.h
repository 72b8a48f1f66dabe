#pragma once

#include "data/tsql/TsqlColumnTypes.h"
#include "data/tsql/TsqlTokenEdit.h"

#include <QList>
#include <QString>

namespace zeb {

// The tables a statement names after FROM, JOIN, UPDATE and INTO, with their aliases, and the declared
// type of a column of theirs. As in SQL, a table named inside a parenthesised subquery is seen only
// there (and in the subqueries nested in it), so that two subqueries may give one alias to two tables.
class TsqlStatementTables
{
public:
    TsqlStatementTables(const TsqlTokenEdit& edit, const TsqlColumnTypes& types);

    // The type of `column`, qualified by a table name or alias or not at all, as named by the token at
    // `position`. The innermost subquery around it that names the alias, or has a table with such a
    // column, decides; an unqualified name counts only when all such tables there agree on its type.
    std::optional<FieldType> columnType(const QString& qualifier, const QString& column,
                                        qsizetype position) const;

private:
    // A table or alias as the statement declares it.
    struct Source
    {
        qsizetype scope = -1;    // the '(' of the subquery declaring it, -1 for the statement itself
        QString name;            // the alias, or the table when it has none; in lower case
        QString table;           // empty for a parenthesis in FROM
        qsizetype subquery = -1; // the '(' of a subquery in FROM, -1 for a table
    };

    // Reads the table (or subquery) named from token `first` on, and its alias; returns the last token read.
    qsizetype readTable(const TsqlTokenEdit& edit, qsizetype first);
    void declare(const TsqlTokenEdit& edit, qsizetype alias, const QString& table, qsizetype subquery);
    const Source* declared(const QString& name, qsizetype scope) const;
    std::optional<FieldType> typeOf(const Source& source, const QString& column) const;
    // The types the tables declared at `scope` itself give `column`.
    QList<FieldType> typesAt(qsizetype scope, const QString& column) const;

    const TsqlColumnTypes& m_types;
    QList<qsizetype> m_scopes; // for each token, the '(' of the innermost subquery around it, or -1
    QList<Source> m_sources;
};

} // namespace zeb
