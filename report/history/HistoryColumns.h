#pragma once

#include "data/ColumnInfo.h"

#include <QList>
#include <QString>

namespace zeb {

// A column of a schedule line as its history shows it: titled as the grid titles it (its two title levels on
// one line), its value written as the grid writes it, a key shown by the name it stands for.
struct HistoryColumn
{
    QString name; // the column of Vakansii
    QString title;
    FieldType type = FieldType::Unknown;
    QString format; // the grid's number format, empty for none
    // The table, key and name column that a key column stands for; empty for a plain value.
    QString lookupTable;
    QString lookupKey;
    QString lookupName;

    bool isLookup() const { return !lookupTable.isEmpty(); }
};

// Every column the history keeps before and after a change (all but the key and the save stamps), the
// grid's first, in its order.
QList<HistoryColumn> historyColumns();

} // namespace zeb
