#pragma once

#include "data/ColumnInfo.h"

#include <QString>
#include <QVariant>

namespace zeb::valuetext {

// Texts as a Russian workstation writes them: decimal comma, dd.MM.yyyy dates, whatever the system locale.

// Parses `text` into a value of `type`; an empty text gives NULL. Raises zeb::Error for a text the
// type cannot take. A decimal becomes its exact plain text ("1234.5"), a date-time a wall-clock value.
QVariant parse(const QString& text, FieldType type);
// A number of any kind as a decimal's exact plain text; raises zeb::Error for anything else.
QVariant decimalValue(const QVariant& value);
// Raises zeb::Error, quoting `text` as typed, when a numeric(precision, scale) column cannot hold the decimal
// `number` (a plain text) exactly. Precision 0: no bound.
void checkDecimalFits(const QString& text, const QVariant& number, int precision, int scale);
// The plain text of a value (no display format): what a field read as text gives.
QString toText(const QVariant& value, FieldType type);
// The text a grid shows; `format` is a number format such as "0.##" (empty: general).
QString toDisplay(const QVariant& value, FieldType type, const QString& format);

} // namespace zeb::valuetext
