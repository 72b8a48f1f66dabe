#pragma once

#include "report/sheet/SheetColumns.h"
#include "report/sheet/SheetRow.h"

#include <functional>

namespace zeb {

class SheetBlock;
class SheetMedium;

using SheetRowVisitor = std::function<void(const SheetRow&)>;
// Gives the table's rows to the visitor in order. Called twice, to measure and then to draw, so it gives the
// same rows each time; one row object filled afresh for each keeps a long table's texts from piling up.
using SheetRows = std::function<void(const SheetRowVisitor&)>;

// One table of a report, with at least one row.
struct SheetTablePart
{
    SheetColumns columns;
    SheetRows rows;
};

// A report as tables on A4 landscape sheets.
struct TablePdf
{
    // The document's title in the file's properties.
    QString title;
    // In order; each after the first begins on a sheet of its own, headed by its own columns.
    QList<SheetTablePart> tables;
    // Above the table on the first sheet; none when null.
    const SheetBlock* header = nullptr;
    // Below the table on the last sheet, kept whole there with the table's last rows; none when null.
    const SheetBlock* closing = nullptr;
};

// Writes the tables sheet by sheet: the header on the first sheet, the columns' headings at the top of every
// sheet, a group's name never last on a sheet, the closing block on the last, each sheet numbered "Лист N из
// M". The blocks are measured on `medium`. Raises IoError when the file cannot be written; nothing
// half-written is left.
void writeTablePdf(SheetMedium& medium, const TablePdf& pdf, const QString& path);

} // namespace zeb
