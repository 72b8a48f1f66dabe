#pragma once

#include "data/Dialect.h"

namespace zeb {

// SQLite: '?' markers, names in double quotes as written, and values compared with IS (NULL equals NULL).
class SqliteDialect final : public Dialect
{
public:
    static const Dialect& instance();

    QString quoteIdentifier(const QString& name) const override;
    Comparison unchanged(FieldType type, bool key, bool readNull) const override;
};

} // namespace zeb
