#pragma once

#include <QList>
#include <QString>

namespace zeb {

// One row of a sheet's table with the texts of its cells, by column.
struct SheetRow
{
    enum Kind
    {
        // A group's name (a unit's) across the table, kept with the row after it.
        Group,
        // A part's caption across the table, kept with the row after it.
        Section,
        Line,
        // A group's total, its caption spanning the first `span` columns.
        Total,
        GrandTotal,
    };

    explicit SheetRow(int columnCount) : cells(columnCount) {}

    // Starts the row afresh as `kind`, its first cell over `span` columns; the cells stay allocated.
    void begin(Kind kind, int span = 1)
    {
        this->kind = kind;
        this->span = span;
        for (QString& cell : cells)
            cell.clear();
    }

    bool keepsWithNext() const { return kind == Group || kind == Section; }

    Kind kind = Line;
    // The columns the first cell spans; a group's and a section's row always spans the whole table. The
    // cells of the spanned columns after the first are not shown.
    int span = 1;
    QList<QString> cells;
};

} // namespace zeb
