#pragma once

#include "data/ResultCursor.h"

#include <QList>
#include <QVariantList>

namespace zeb {

// A result built in memory (the answer of a procedure computed by the client side of an engine).
// Each row holds one value per column, typed as value() should return it.
class MemoryCursor : public ResultCursor
{
public:
    MemoryCursor(ColumnList columns, QList<QVariantList> rows);

    const ColumnList& columns() const override { return m_columns; }
    bool next() override;

    bool isNull(int column) const override;
    qint64 toInt64(int column) const override;
    double toDouble(int column) const override;
    QString toText(int column) const override;
    QVariant value(int column) const override;

private:
    // A null value outside the current row or its columns.
    QVariant cell(int column) const;

    ColumnList m_columns;
    QList<QVariantList> m_rows;
    qsizetype m_current = -1;
};

} // namespace zeb
