#include "data/pg/PgTextFormat.h"

#include "data/pg/LibPq.h"

#include <QLocale>
#include <QTime>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <libpq-fe.h>
#include <limits>

namespace zeb {

namespace {

QByteArray timeText(const QTime& time)
{
    return time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"))
        .toLatin1();
}

// "+03:00"; historic zones may have seconds too.
QByteArray offsetText(int seconds)
{
    const QTime offset = QTime::fromMSecsSinceStartOfDay(std::abs(seconds) * 1000);
    const char sign = seconds < 0 ? '-' : '+';
    return sign +
           offset.toString(offset.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm")).toLatin1();
}

// Walks a date or time text field by field.
class TextScanner
{
public:
    TextScanner(const char* text, int length) : m_pos(text), m_end(text + length) {}

    bool number(int& value)
    {
        const auto [end, error] = std::from_chars(m_pos, m_end, value);
        if (error != std::errc())
            return false;
        m_pos = end;
        return true;
    }

    bool skip(char expected)
    {
        if (m_pos == m_end || *m_pos != expected)
            return false;
        ++m_pos;
        return true;
    }

    // Digits of a fraction of a second, as milliseconds (finer digits are dropped).
    int milliseconds()
    {
        int value = 0;
        int scale = 100;
        for (; m_pos != m_end && *m_pos >= '0' && *m_pos <= '9'; ++m_pos) {
            value += (*m_pos - '0') * scale;
            scale /= 10;
        }
        return value;
    }

    char peek() const { return m_pos == m_end ? '\0' : *m_pos; }

    QDate date()
    {
        int year = 0;
        int month = 0;
        int day = 0;
        if (!(number(year) && skip('-') && number(month) && skip('-') && number(day)))
            return {};
        if (m_end - m_pos >= 3 && std::memcmp(m_end - 3, " BC", 3) == 0)
            year = -year;
        return QDate(year, month, day);
    }

    QTime time()
    {
        int hour = 0;
        int minute = 0;
        int second = 0;
        if (!(number(hour) && skip(':') && number(minute) && skip(':') && number(second)))
            return {};
        const int msec = skip('.') ? milliseconds() : 0;
        return QTime(hour, minute, second, msec);
    }

    // "+03", "-05:30", "+01:02:03" as seconds east of UTC.
    bool zoneOffset(int& seconds)
    {
        const char sign = peek();
        if (sign != '+' && sign != '-')
            return false;
        ++m_pos;
        int hours = 0;
        int minutes = 0;
        int secs = 0;
        if (!number(hours))
            return false;
        if (skip(':'))
            number(minutes);
        if (skip(':'))
            number(secs);
        seconds = (hours * 3600 + minutes * 60 + secs) * (sign == '-' ? -1 : 1);
        return true;
    }

private:
    const char* m_pos;
    const char* m_end;
};

qint64 saturatedInt64(double value)
{
    constexpr double limit = 9223372036854775807.0;
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return std::numeric_limits<qint64>::max();
    if (value <= -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(value);
}

} // namespace

bool pgIsNull(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return !value.toDate().isValid();
    case QMetaType::QTime:
        return !value.toTime().isValid();
    case QMetaType::QDateTime:
        return !value.toDateTime().isValid();
    default:
        return value.isNull();
    }
}

QByteArray pgTextOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("t") : QByteArrayLiteral("f");
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return QByteArray::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QByteArray::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate).toLatin1();
    case QMetaType::QTime:
        return timeText(value.toTime());
    case QMetaType::QDateTime: {
        // The offset gives a timestamptz column the right instant; a timestamp column ignores it.
        const QDateTime dateTime = value.toDateTime();
        return dateTime.date().toString(Qt::ISODate).toLatin1() + ' ' + timeText(dateTime.time()) +
               offsetText(dateTime.offsetFromUtc());
    }
    case QMetaType::QByteArray:
        return QByteArrayLiteral("\\x") + value.toByteArray().toHex();
    default:
        return value.toString().toUtf8();
    }
}

qint64 pgInt64(const char* text, int length)
{
    qint64 value = 0;
    const auto [end, error] = std::from_chars(text, text + length, value);
    if (error == std::errc() && end == text + length)
        return value;
    return saturatedInt64(pgDouble(text, length));
}

double pgDouble(const char* text, int length)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text, text + length, value);
    return error == std::errc() ? value : 0.0;
}

QDate pgDate(const char* text, int length)
{
    return TextScanner(text, length).date();
}

QDateTime pgDateTime(const char* text, int length)
{
    TextScanner scanner(text, length);
    const QDate date = scanner.date();
    if (!date.isValid() || !scanner.skip(' '))
        return {};
    const QTime time = scanner.time();
    int offset = 0;
    if (scanner.zoneOffset(offset))
        return QDateTime(date, time, Qt::OffsetFromUTC, offset).toLocalTime();
    return QDateTime(date, time);
}

QByteArray pgBytes(const char* text)
{
    size_t length = 0;
    unsigned char* bytes = libpq().PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &length);
    if (!bytes)
        return {};
    QByteArray result(reinterpret_cast<const char*>(bytes), qsizetype(length));
    libpq().PQfreemem(bytes);
    return result;
}

} // namespace zeb
