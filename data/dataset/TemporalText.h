#pragma once

#include <QByteArrayView>
#include <QDateTime>

namespace zeb::temporal {

// ISO dates as the engines print them: "YYYY-MM-DD", optionally followed by 'T' or ' ' and
// "HH:MM[:SS[.fff]]"; anything else gives an invalid value.
QDate parseDate(QByteArrayView text);
// A date-time straight into a slot, without building a QDateTime (bulk loading); the time may be missing.
qint64 parseDateTimeSlot(QByteArrayView text);

// Date-times are wall-clock values without a time zone; a slot is milliseconds since 1970 on that clock.
qint64 toSlot(const QDateTime& value);
QDateTime fromSlot(qint64 slot);

// A wall-clock value handed out as a QDateTime: its date and time as they read, in UTC, which has no gaps.
// In local time 02:30 of the night the clocks go forward does not exist, and the value would be lost.
QDateTime wallClock(QDate date, QTime time);
// The date and time `value` reads in its own zone, invalid local ones (in a gap) included.
QDateTime wallClock(const QDateTime& value);

} // namespace zeb::temporal
