#pragma once

#include <QByteArray>
#include <QDateTime>

namespace zeb::sqlitedate {

// Dates live in the file as ISO text: 'YYYY-MM-DD' and 'YYYY-MM-DD HH:MM:SS'.
QByteArray formatDate(QDate date);
QByteArray formatDateTime(const QDateTime& dateTime);

struct DateTimeText
{
    QDate date; // invalid when the text has another shape
    QTime time; // midnight for a text without time
};

// Reads 'YYYY-MM-DD' optionally followed by 'T' or a blank and 'HH:MM[:SS[.fff]]'.
DateTimeText parseDateTime(const char* text, int length);

} // namespace zeb::sqlitedate
