#include "data/sqlite/SqliteDateText.h"

namespace zeb::sqlitedate {

namespace {

// Reads `count` decimal digits at `pos`; -1 when any of them is not a digit or the text ends.
int readNumber(const char* text, int length, int pos, int count)
{
    if (pos + count > length)
        return -1;
    int value = 0;
    for (int i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isAt(const char* text, int length, int pos, char c)
{
    return pos < length && text[pos] == c;
}

void putDigits(char* out, int value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
}

} // namespace

// Written digit by digit: Qt's formatting goes through the locale and cost more than the rest of a save.
// Years of other lengths are left to Qt's own padding and signs.
QByteArray formatDate(QDate date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1000 || year > 9999)
        return date.toString(Qt::ISODate).toLatin1();
    QByteArray text(10, '-');
    putDigits(text.data(), year, 4);
    putDigits(text.data() + 5, month, 2);
    putDigits(text.data() + 8, day, 2);
    return text;
}

QByteArray formatDateTime(const QDateTime& dateTime)
{
    const QDate date = dateTime.date();
    if (date.year() < 1000 || date.year() > 9999)
        return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
    const QTime time = dateTime.time();
    QByteArray text = formatDate(date) + QByteArrayLiteral(" 00:00:00");
    putDigits(text.data() + 11, time.hour(), 2);
    putDigits(text.data() + 14, time.minute(), 2);
    putDigits(text.data() + 17, time.second(), 2);
    return text;
}

DateTimeText parseDateTime(const char* text, int length)
{
    const int year = readNumber(text, length, 0, 4);
    const int month = readNumber(text, length, 5, 2);
    const int day = readNumber(text, length, 8, 2);
    if (year < 0 || month < 0 || day < 0 || !isAt(text, length, 4, '-') || !isAt(text, length, 7, '-'))
        return {};
    const QDate date(year, month, day);
    if (length == 10)
        return {date, QTime(0, 0)};
    if (!isAt(text, length, 10, 'T') && !isAt(text, length, 10, ' '))
        return {};

    const int hour = readNumber(text, length, 11, 2);
    const int minute = readNumber(text, length, 14, 2);
    if (hour < 0 || minute < 0 || !isAt(text, length, 13, ':'))
        return {};
    int second = 0;
    int millisecond = 0;
    int pos = 16;
    if (isAt(text, length, pos, ':')) {
        second = readNumber(text, length, pos + 1, 2);
        if (second < 0)
            return {};
        pos += 3;
        if (isAt(text, length, pos, '.')) {
            ++pos;
            int scale = 100;
            const int start = pos;
            for (; pos < length && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
                millisecond += (text[pos] - '0') * scale;
                scale /= 10;
            }
            if (pos == start)
                return {};
        }
    }
    if (pos != length)
        return {};
    const QTime time(hour, minute, second, millisecond);
    if (!time.isValid())
        return {};
    return {date, time};
}

} // namespace zeb::sqlitedate
