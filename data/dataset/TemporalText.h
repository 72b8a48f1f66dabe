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

} // namespace zeb::temporal
