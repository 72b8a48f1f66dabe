#include "data/dataset/TemporalText.h"

namespace zeb::temporal {

namespace {

constexpr qint64 msecsPerDay = 86400000;
constexpr qint64 epochJulianDay = 2440588;

bool digits(QByteArrayView text, qsizetype from, qsizetype count, int& value)
{
    if (from + count > text.size())
        return false;
    value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

QTime parseTime(QByteArrayView text)
{
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (!digits(text, 0, 2, hour) || text.size() < 5 || text[2] != ':' || !digits(text, 3, 2, minute))
        return {};
    if (text.size() >= 8 && text[5] == ':' && !digits(text, 6, 2, second))
        return {};
    if (text.size() > 9 && text[8] == '.') {
        int fraction = 0;
        const qsizetype count = qMin<qsizetype>(3, text.size() - 9);
        if (!digits(text, 9, count, fraction))
            return {};
        for (qsizetype i = count; i < 3; ++i)
            fraction *= 10;
        msec = fraction;
    }
    return QTime(hour, minute, second, msec);
}

} // namespace

QDate parseDate(QByteArrayView text)
{
    int year = 0, month = 0, day = 0;
    if (!digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !digits(text, 5, 2, month) ||
        text[7] != '-' || !digits(text, 8, 2, day))
        return {};
    return QDate(year, month, day);
}

qint64 parseDateTimeSlot(QByteArrayView text)
{
    const QDate date = parseDate(text);
    if (!date.isValid())
        return 0;
    qint64 slot = (date.toJulianDay() - epochJulianDay) * msecsPerDay;
    if (text.size() > 11 && (text[10] == ' ' || text[10] == 'T')) {
        const QTime time = parseTime(text.sliced(11));
        if (time.isValid())
            slot += time.msecsSinceStartOfDay();
    }
    return slot;
}

qint64 toSlot(const QDateTime& value)
{
    return (value.date().toJulianDay() - epochJulianDay) * msecsPerDay + value.time().msecsSinceStartOfDay();
}

QDateTime fromSlot(qint64 slot)
{
    qint64 days = slot / msecsPerDay;
    qint64 msecs = slot % msecsPerDay;
    if (msecs < 0) {
        --days;
        msecs += msecsPerDay;
    }
    return wallClock(QDate::fromJulianDay(days + epochJulianDay),
                     QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QDateTime wallClock(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

QDateTime wallClock(const QDateTime& value)
{
    if (!value.date().isValid())
        return {};
    return wallClock(value.date(), value.time());
}

} // namespace zeb::temporal
