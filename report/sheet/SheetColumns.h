#pragma once

#include <QList>
#include <QString>

namespace zeb {

struct SheetColumn
{
    QString heading;
    // Relative to the other columns' widths: the columns share the sheet's width in these proportions.
    int width = 1;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// One heading over several adjacent columns, their own headings below it.
struct SheetColumnGroup
{
    int first = 0;
    int last = 0;
    QString heading;
};

// A table's columns as every sheet shows them in its headings.
struct SheetColumns
{
    QList<SheetColumn> columns;
    QList<SheetColumnGroup> groups;
    // A row of the columns' numbers, from 1, below the headings.
    bool numbered = false;

    int count() const { return int(columns.size()); }
};

} // namespace zeb
