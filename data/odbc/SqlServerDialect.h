#pragma once

#include "data/Dialect.h"

namespace zeb {

// Microsoft SQL Server: '?' markers, names in brackets, OUTPUT INSERTED for the stored row, and every marker
// cast to the type it stands for.
class SqlServerDialect final : public Dialect
{
public:
    static const Dialect& instance();

    QString quoteIdentifier(const QString& name) const override;
    QString insertReturning(const QString& table, const QStringList& names, const QStringList& markers,
                            const QString& returned) const override;
    Comparison unchanged(FieldType type, bool key, bool readNull) const override;
    QString typedMarker(FieldType type, int index) const override;
    QVariant typedValue(FieldType type, const QVariant& value) const override;
};

} // namespace zeb
