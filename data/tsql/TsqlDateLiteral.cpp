#include "data/tsql/TsqlDateLiteral.h"

#include <QDate>

namespace zeb {

namespace {

// Reads the text left to right; every read fails without moving when the text does not match.
class DateReader
{
public:
    explicit DateReader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos == m_text.size(); }

    // One to `maxDigits` decimal digits; the count read is given back in `digits`.
    bool number(int maxDigits, int& value, int& digits)
    {
        qsizetype pos = m_pos;
        value = 0;
        while (pos < m_text.size() && pos - m_pos < maxDigits && isDigit(m_text.at(pos))) {
            value = value * 10 + (m_text.at(pos).unicode() - u'0');
            ++pos;
        }
        digits = int(pos - m_pos);
        if (digits == 0 || (pos < m_text.size() && isDigit(m_text.at(pos))))
            return false;
        m_pos = pos;
        return true;
    }

    bool character(QChar c)
    {
        if (atEnd() || m_text.at(m_pos) != c)
            return false;
        ++m_pos;
        return true;
    }

    bool separator(QChar& c)
    {
        if (atEnd() || (m_text.at(m_pos) != u'.' && m_text.at(m_pos) != u'/' && m_text.at(m_pos) != u'-'))
            return false;
        c = m_text.at(m_pos++);
        return true;
    }

    bool blanks()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text.at(m_pos) == u' ')
            ++m_pos;
        return m_pos > start;
    }

private:
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    QStringView m_text;
    qsizetype m_pos = 0;
};

// Two-digit years as SQL Server reads them: 00-49 in this century, 50-99 in the last.
int fullYear(int year, int digits)
{
    if (digits == 4)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

// "HH:MM[:SS[.fff]]" as "HH:MM:SS[.fff]".
std::optional<QString> isoTime(DateReader& reader)
{
    int hour = 0, minute = 0, second = 0, fraction = 0, digits = 0, fractionDigits = 0;
    if (!reader.number(2, hour, digits) || !reader.character(u':') || !reader.number(2, minute, digits) ||
        digits != 2)
        return std::nullopt;
    const bool withSeconds = reader.character(u':');
    if (withSeconds && (!reader.number(2, second, digits) || digits != 2))
        return std::nullopt;
    const bool withFraction = withSeconds && reader.character(u'.');
    if (withFraction && !reader.number(7, fraction, fractionDigits))
        return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    QString time = QStringLiteral("%1:%2:%3")
                       .arg(hour, 2, 10, QLatin1Char('0'))
                       .arg(minute, 2, 10, QLatin1Char('0'))
                       .arg(second, 2, 10, QLatin1Char('0'));
    if (withFraction)
        time += QStringLiteral(".%1").arg(fraction, fractionDigits, 10, QLatin1Char('0'));
    return time;
}

} // namespace

std::optional<QString> isoDateFromLiteral(QStringView text, DateOrder order, FieldType type)
{
    DateReader reader(text);
    int parts[3] = {};
    int digits[3] = {};
    QChar separator;
    if (!reader.number(4, parts[0], digits[0]) || !reader.separator(separator) ||
        !reader.number(2, parts[1], digits[1]) || !reader.character(separator) ||
        !reader.number(4, parts[2], digits[2]))
        return std::nullopt;

    int year = 0, month = 0, day = 0;
    const bool yearFirst = digits[0] == 4 || (order == DateOrder::Ymd && digits[0] == 2);
    if (yearFirst) {
        if (digits[2] > 2)
            return std::nullopt;
        year = fullYear(parts[0], digits[0]);
        month = parts[1];
        day = parts[2];
    } else {
        if (digits[0] > 2 || order == DateOrder::Ymd || (digits[2] != 2 && digits[2] != 4))
            return std::nullopt;
        year = fullYear(parts[2], digits[2]);
        month = order == DateOrder::Mdy ? parts[0] : parts[1];
        day = order == DateOrder::Mdy ? parts[1] : parts[0];
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1)
        return std::nullopt;

    QString time = QStringLiteral("00:00:00");
    if (reader.blanks()) {
        const std::optional<QString> written = isoTime(reader);
        if (!written)
            return std::nullopt;
        time = *written;
    }
    if (!reader.atEnd())
        return std::nullopt;

    // A date column drops the time, as the server does when it converts the text.
    const QString isoDate = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (type == FieldType::Date)
        return isoDate;
    return isoDate + u' ' + time;
}

} // namespace zeb
