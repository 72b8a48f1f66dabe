#pragma once

#include <QString>
#include <QVariant>

namespace zeb {

// Values spliced into the client's T-SQL statements, so that no text can change a statement's meaning.

// A key of a chosen unit as bare decimal digits; anything but an integer raises zeb::Error.
QString decimalKey(const QVariant& value);

// `text` in single quotes, each single quote inside doubled.
QString tsqlStringLiteral(const QString& text);

} // namespace zeb
