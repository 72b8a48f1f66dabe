#pragma once

#include "data/DatabaseError.h"
#include "data/pg/LibPq.h"
#include "data/pg/PgResult.h"
#include "data/ResultCursor.h"

#include <QByteArray>
#include <QDateTime>
#include <deque>
#include <optional>
#include <vector>

namespace zeb {

class PgEngine;

// The rows of one statement (text format) as the connection sends them, one result a row, so that no
// more than a row is held beside what the reader keeps. While rows are still coming the connection is
// the cursor's: the engine has it take the rest into memory before the connection's next use, so the
// cursor stays readable after other statements and after the connection closes.
class PgCursor : public ResultCursor
{
public:
    // `first` holds the first row, or is the statement's whole result; `engine` sends the rest, if any.
    PgCursor(PgResult first, PgEngine* engine);
    ~PgCursor() override;
    PgCursor(const PgCursor&) = delete;
    PgCursor& operator=(const PgCursor&) = delete;

    const ColumnList& columns() const override { return m_columns; }
    // Raises the server's error where it broke off the rows.
    bool next() override;

    bool isNull(int column) const override;
    qint64 toInt64(int column) const override;
    double toDouble(int column) const override;
    QString toText(int column) const override;
    QByteArray utf8Text(int column) const override;
    QVariant value(int column) const override;
    // From the text: toInt64() reads a fraction through a double, and "7.000000000000000001" as 7.
    std::optional<qint64> wholeNumber(int column) const override;

    // Reads every row still to come into memory and lets go of the connection; a failure is kept for
    // next() to raise where it happened.
    void takeRest();

private:
    // The next row from memory or from the connection; nothing when the rows are over.
    PgResult nextResult();
    PgResult streamed();

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
    // Set while the connection is still sending this cursor's rows.
    PgEngine* m_engine;
    std::deque<PgResult> m_taken;
    std::optional<DatabaseError> m_failure;
    mutable std::vector<LastDateTime> m_lastDateTimes;
};

} // namespace zeb
