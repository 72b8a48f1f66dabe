#include "data/pg/PgCursor.h"

#include "data/DatabaseError.h"
#include "data/pg/LibPq.h"
#include "data/pg/PgColumns.h"
#include "data/pg/PgEngine.h"
#include "data/pg/PgTextFormat.h"

#include <charconv>

namespace zeb {

PgCursor::PgCursor(PgResult first, PgEngine* engine)
    : m_result(std::move(first)), m_columns(pgColumns(m_result.get())),
      m_rowCount(m_pq.PQntuples(m_result.get())), m_engine(engine), m_lastDateTimes(size_t(m_columns.size()))
{
}

PgCursor::~PgCursor()
{
    if (m_engine)
        m_engine->dropRows();
}

bool PgCursor::next()
{
    if (m_row + 1 < m_rowCount) {
        ++m_row;
        return true;
    }
    m_row = m_rowCount;
    PgResult result = nextResult();
    if (!result)
        return false;
    m_result = std::move(result);
    m_rowCount = m_pq.PQntuples(m_result.get());
    m_row = 0;
    return m_rowCount > 0;
}

PgResult PgCursor::nextResult()
{
    if (!m_taken.empty()) {
        PgResult result = std::move(m_taken.front());
        m_taken.pop_front();
        return result;
    }
    if (m_failure)
        throw DatabaseError(*std::exchange(m_failure, std::nullopt));
    return m_engine ? streamed() : PgResult();
}

// The engine lets go of the cursor when the rows end or break off.
PgResult PgCursor::streamed()
{
    PgEngine* engine = std::exchange(m_engine, nullptr);
    PgResult row = engine->nextRow();
    if (row)
        m_engine = engine;
    return row;
}

void PgCursor::takeRest()
{
    try {
        while (PgResult row = streamed())
            m_taken.push_back(std::move(row));
    } catch (const DatabaseError& error) {
        m_failure = error;
    }
}

// libpq gives a NULL cell as an empty text, which the number and text readers take as 0 or empty
// anyway; only value() needs to tell NULL apart.
const char* PgCursor::text(int column) const
{
    if (m_row < 0 || m_row >= m_rowCount || column < 0 || column >= m_columns.size())
        return nullptr;
    return m_pq.PQgetvalue(m_result.get(), m_row, column);
}

const char* PgCursor::cell(int column) const
{
    return isNull(column) ? nullptr : text(column);
}

bool PgCursor::isNull(int column) const
{
    if (m_row < 0 || m_row >= m_rowCount || column < 0 || column >= m_columns.size())
        return true;
    return m_pq.PQgetisnull(m_result.get(), m_row, column);
}

qint64 PgCursor::toInt64(int column) const
{
    const char* text = this->text(column);
    if (!text)
        return 0;
    if (m_columns[column].type == FieldType::Boolean)
        return *text == 't' ? 1 : 0;
    return pgInt64(text, cellLength(column));
}

double PgCursor::toDouble(int column) const
{
    const char* text = this->text(column);
    if (!text)
        return 0.0;
    if (m_columns[column].type == FieldType::Boolean)
        return *text == 't' ? 1.0 : 0.0;
    return pgDouble(text, cellLength(column));
}

QString PgCursor::toText(int column) const
{
    const char* text = this->text(column);
    if (!text)
        return {};
    return QString::fromUtf8(text, cellLength(column));
}

QByteArray PgCursor::utf8Text(int column) const
{
    const char* text = this->text(column);
    if (!text)
        return {};
    return QByteArray::fromRawData(text, cellLength(column));
}

QVariant PgCursor::value(int column) const
{
    const char* text = cell(column);
    if (!text)
        return {};
    const int length = cellLength(column);
    switch (m_columns[column].type) {
    case FieldType::Boolean:
        return *text == 't';
    case FieldType::Integer:
        return pgInt64(text, length);
    case FieldType::Float:
    case FieldType::Decimal:
        return pgDouble(text, length);
    case FieldType::Date:
        return pgDate(text, length);
    case FieldType::DateTime:
        return dateTime(column, text, length);
    case FieldType::Binary:
        return pgBytes(text);
    case FieldType::Unknown:
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return QString::fromUtf8(text, length);
}

std::optional<qint64> PgCursor::wholeNumber(int column) const
{
    const char* text = cell(column);
    if (!text)
        return std::nullopt;
    const char* const last = text + cellLength(column);
    qint64 number = 0;
    const auto [end, error] = std::from_chars(text, last, number);
    if (text == last || error != std::errc() || end != last)
        return std::nullopt;
    return number;
}

QDateTime PgCursor::dateTime(int column, const char* text, int length) const
{
    LastDateTime& last = m_lastDateTimes[size_t(column)];
    if (QByteArrayView(text, length) != last.text) {
        last.text = QByteArray(text, length);
        last.value = pgDateTime(text, length);
    }
    return last.value;
}

} // namespace zeb
