#pragma once

#include "LibPq.h"
#include "PgResult.h"
#include "ResultCursor.h"

#include <QByteArray>
#include <QDateTime>
#include <vector>

namespace zeb {

// The rows of one libpq result (text format). The result is complete in memory, so the cursor stays
// readable after its connection closes.
class PgCursor : public ResultCursor
{
public:
    explicit PgCursor(PgResult result);

    const ColumnList& columns() const override { return m_columns; }
    bool next() override;
    int rowCountHint() const override { return m_rowCount - m_row - 1; }

    bool isNull(int column) const override;
    qint64 toInt64(int column) const override;
    double toDouble(int column) const override;
    QString toText(int column) const override;
    QByteArray utf8Text(int column) const override;
    QVariant value(int column) const override;
    // From the text: toInt64() reads a fraction through a double, and "7.000000000000000001" as 7.
    std::optional<qint64> wholeNumber(int column) const override;

private:
    // The cell's text as libpq holds it; nullptr for NULL, no current row or no such column.
    const char* cell(int column) const;
    const char* text(int column) const;
    int cellLength(int column) const { return m_pq.PQgetlength(m_result.get(), m_row, column); }
    QDateTime dateTime(int column, const char* text, int length) const;

    // Turning a timestamp into local time is costly, and lines entered by one order share its date:
    // each column keeps its last conversion.
    struct LastDateTime
    {
        QByteArray text;
        QDateTime value;
    };

    const LibPq& m_pq = libpq();
    PgResult m_result;
    ColumnList m_columns;
    int m_rowCount = 0;
    int m_row = -1;
    mutable std::vector<LastDateTime> m_lastDateTimes;
};

} // namespace zeb
