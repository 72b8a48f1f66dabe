#pragma once

#include "data/tsql/TsqlColumnTypes.h"
#include "data/tsql/TsqlTokenEdit.h"

#include <QHash>
#include <QStringList>

namespace zeb {

// The tables a statement names after FROM, JOIN, UPDATE and INTO, with their aliases, and the declared
// type of a column of theirs.
class TsqlStatementTables
{
public:
    TsqlStatementTables(const TsqlTokenEdit& edit, const TsqlColumnTypes& types);

    // The type of `column`, qualified by a table name or alias or not at all. An unqualified name counts
    // only when every table of the statement that has such a column gives it the same type.
    std::optional<FieldType> columnType(const QString& qualifier, const QString& column) const;

private:
    // Reads the table named from token `first` on, and its alias; returns the last token read.
    qsizetype readTable(const TsqlTokenEdit& edit, qsizetype first);
    QString tableOf(const QString& name) const;

    const TsqlColumnTypes& m_types;
    QStringList m_names;              // as written: a table, or an alias an UPDATE names
    QHash<QString, QString> m_tables; // alias in lower case -> table
};

} // namespace zeb
