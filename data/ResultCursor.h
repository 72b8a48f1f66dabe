#pragma once

#include "ColumnInfo.h"

#include <QVariant>

namespace zeb {

// Forward-only reader over one statement's rows. Before the first next() there is no current row.
// Readers of a NULL cell get 0, 0.0 or an empty text; value() gives a null QVariant.
class ResultCursor
{
public:
    virtual ~ResultCursor() = default;

    virtual const ColumnList& columns() const = 0;
    virtual bool next() = 0;
    // Rows still to come when the engine knows them before they are read; -1 otherwise.
    virtual int rowCountHint() const { return -1; }

    virtual bool isNull(int column) const = 0;
    virtual qint64 toInt64(int column) const = 0;
    virtual double toDouble(int column) const = 0;
    virtual QString toText(int column) const = 0;
    // The text form as UTF-8; engines may hand out their own buffer, valid until the next next().
    virtual QByteArray utf8Text(int column) const { return toText(column).toUtf8(); }
    // Typed by the column: qint64, double, QString, QDate, QDateTime, QByteArray or bool.
    virtual QVariant value(int column) const = 0;
};

} // namespace zeb
