#pragma once

#include <QByteArray>
#include <QVariant>
#include <optional>

namespace zeb {
class ResultCursor;
}

namespace zeb::decimal {

// Decimal numbers kept exactly, as plain text: an optional '-', digits, an optional point and more digits;
// no exponent and no needless zeros ("0", "12.5", "-0.25", never "-0", "012" or "12.50"). A double
// holds only 15 to 17 digits, so a numeric(18,0) key passed through one would no longer find its row.

// The plain text of a number written with or without an exponent ("1.5e3", "+012.50", "-0"); empty when
// the text is no number.
QByteArray plain(QByteArrayView text);
// The plain text of the shortest decimal that reads back as the same double; empty for NaN or infinity.
QByteArray ofDouble(double value);
// The plain text of a whole number, a double or a number written as text; empty when there is none.
QByteArray ofVariant(const QVariant& value);
// The exact number in a result cell. An engine that prints a binary float with fewer digits than it holds
// (SQLite prints 15) gives the double's own shortest text instead.
QByteArray read(const ResultCursor& cursor, int column);

// Digits after the point of a plain text.
int scaleOf(QByteArrayView number);
// Whether a numeric(precision, scale) column holds the plain text exactly: at most `scale` digits after the
// point and `precision - scale` before it.
bool fits(QByteArrayView number, int precision, int scale);
// The plain text as a count of units of 10^-scale; nothing when it has more digits after the point or its
// magnitude would exceed `limit`.
std::optional<qint64> toUnits(QByteArrayView number, int scale, qint64 limit);
QByteArray fromUnits(qint64 units, int scale);
// The nearest double; nothing when the number is beyond a double's range.
std::optional<double> toDouble(QByteArrayView number);
// Rounded half away from zero to at most `decimals` digits after the point, as plain text.
QByteArray rounded(QByteArrayView number, int decimals);

} // namespace zeb::decimal
