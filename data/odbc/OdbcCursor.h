#pragma once

#include "data/ResultCursor.h"

#include <memory>

class QSqlQuery;

namespace zeb {

// The rows of a forward-only query of Qt's ODBC driver. The engine shares the query so that it can
// release it before the connection closes.
class OdbcCursor : public ResultCursor
{
public:
    explicit OdbcCursor(std::shared_ptr<QSqlQuery> query);
    ~OdbcCursor() override;

    const ColumnList& columns() const override { return m_columns; }
    bool next() override;

    bool isNull(int column) const override;
    qint64 toInt64(int column) const override;
    double toDouble(int column) const override;
    QString toText(int column) const override;
    QVariant value(int column) const override;

private:
    std::shared_ptr<QSqlQuery> m_query;
    ColumnList m_columns;
};

} // namespace zeb
