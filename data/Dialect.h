#pragma once

#include "data/ColumnInfo.h"

#include <QStringList>
#include <QVariant>

namespace zeb {

// What statements written in an engine's own language (write-back, the installation) spell differently from
// one engine to the next: parameter markers, quoted names, an insert that gives back the stored row, and how
// a value read earlier is compared. The defaults are standard SQL; each engine's folder has its own.
class Dialect
{
public:
    // How a compared column must still hold what was read; NULL equals NULL.
    enum class Comparison
    {
        Is,
        DateIs,
        DateTimeIs,
        NotDistinct,
        Equal,
        IsNull,
    };

    virtual ~Dialect() = default;

    // Positional parameter marker, index counted from 0.
    virtual QString placeholder(int index) const;
    // A table or column name quoted for the engine.
    virtual QString quoteIdentifier(const QString& name) const = 0;
    // A table of the client's schema as an administrator's session names it.
    virtual QString clientTable(const QString& name) const;
    // INSERT of the named columns (none: the defaults only) that gives back `returned` of the stored row:
    // "*" or a quoted column.
    virtual QString insertReturning(const QString& table, const QStringList& names,
                                    const QStringList& markers, const QString& returned) const;

    // The comparison with what was read from a column of the type; `key` for the row's key column.
    virtual Comparison unchanged(FieldType type, bool key, bool readNull) const = 0;
    // The marker of a value of the type, and the value as bound to it.
    virtual QString typedMarker(FieldType type, int index) const;
    virtual QVariant typedValue(FieldType type, const QVariant& value) const;
    // Added to a SELECT that checks a row, so that the row stays as found until the transaction ends; empty
    // where the transaction holds it anyway.
    virtual QString rowLock() const;

protected:
    // `name` in double quotes, inner quotes doubled.
    static QString doubleQuoted(const QString& name);
};

} // namespace zeb
