#pragma once

#include "data/ColumnInfo.h"

#include <QVariant>
#include <optional>

namespace zeb {

// Forward-only reader over one statement's rows. Before the first next() there is no current row.
// Readers of a NULL cell get 0, 0.0 or an empty text; value() gives a null QVariant.
class ResultCursor
{
public:
    virtual ~ResultCursor() = default;

    virtual const ColumnList& columns() const = 0;
    virtual bool next() = 0;

    virtual bool isNull(int column) const = 0;
    virtual qint64 toInt64(int column) const = 0;
    virtual double toDouble(int column) const = 0;
    virtual QString toText(int column) const = 0;
    // The text form as UTF-8; engines may hand out their own buffer, valid until the next next().
    virtual QByteArray utf8Text(int column) const { return toText(column).toUtf8(); }
    // Typed by the column: qint64, double, QString, QDate, QDateTime, QByteArray or bool.
    virtual QVariant value(int column) const = 0;
    // The number of a non-NULL cell holding a whole number, exactly; nothing for any other cell. A decimal
    // key of 18 digits is read so, never through a double alone. Here toInt64() where toDouble() agrees: a
    // fraction or a number beyond 64 bits fails. An engine whose toInt64() reads a decimal text such as
    // "7.000000000000000001" through a double must read its text instead.
    virtual std::optional<qint64> wholeNumber(int column) const
    {
        const qint64 number = toInt64(column);
        if (double(number) != toDouble(column))
            return std::nullopt;
        return number;
    }
};

} // namespace zeb
