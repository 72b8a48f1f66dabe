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

// A report as one table on A4 landscape sheets.
struct TablePdf
{
    // The document's title in the file's properties.
    QString title;
    SheetColumns columns;
    SheetRows rows;
    // Above the table on the first sheet; none when null.
    const SheetBlock* header = nullptr;
    // Below the table on the last sheet, kept whole there with the table's last rows; none when null.
    const SheetBlock* closing = nullptr;
};

// Writes the table sheet by sheet: the header on the first sheet, the columns' headings at the top of every
// sheet, a group's name never last on a sheet, the closing block on the last, each sheet numbered "Лист N из
// M". The blocks are measured on `medium`. Raises IoError when the file cannot be written; nothing
// half-written is left.
void writeTablePdf(SheetMedium& medium, const TablePdf& pdf, const QString& path);

} // namespace zeb
