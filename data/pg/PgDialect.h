#pragma once

#include "data/Dialect.h"

namespace zeb {

// PostgreSQL: '$1'... markers, names folded to lower case (its schema is created with unquoted names) in
// double quotes, the client's tables in schema dbo, and a checked row locked FOR UPDATE.
class PgDialect final : public Dialect
{
public:
    static const Dialect& instance();

    QString placeholder(int index) const override;
    QString quoteIdentifier(const QString& name) const override;
    QString clientTable(const QString& name) const override;
    Comparison unchanged(FieldType type, bool key, bool readNull) const override;
    QString rowLock() const override;
};

} // namespace zeb
