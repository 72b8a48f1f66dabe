#pragma once

#include <QByteArray>
#include <QString>
#include <xlsxwriter.h>

namespace zeb {

// One worksheet of a new workbook, written through libxlsxwriter with Qt's texts: every write is checked,
// and a failure raises IoError naming the file. The book is written when close() is called; a sheet dropped
// before that writes nothing.
class XlsxSheet
{
public:
    // Writes to `file`, keeping its temporary files beside it; errors name `shownName`, the file the user
    // asked for.
    XlsxSheet(const QString& file, const QString& shownName, const QString& sheetName);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // A format of the book; the book owns it.
    lxw_format* addFormat();
    // The documents' text: Arial of `size` points at the top of its cell.
    lxw_format* addTextFormat(double size = 9);
    // A cell of a table: bordered, its text wrapped within the column, bold and filled where asked, numbers
    // in `numbers` (none for text).
    lxw_format* addCellFormat(bool bold, uint32_t fill, const char* numbers);
    lxw_worksheet* worksheet() { return m_sheet; }

    // A text cell: whatever it holds stays text ("=1+1" too). An empty text leaves the cell blank.
    void text(lxw_row_t row, lxw_col_t column, const QString& text, lxw_format* format);
    void number(lxw_row_t row, lxw_col_t column, double number, lxw_format* format);
    void blank(lxw_row_t row, lxw_col_t column, lxw_format* format);
    // A formula ("=SUM(D1:D5)") with the value it gives, for readers that do not compute.
    void formula(lxw_row_t row, lxw_col_t column, const char* formula, double value, lxw_format* format);
    void formula(lxw_row_t row, lxw_col_t column, const QByteArray& formula, double value, lxw_format* format)
    {
        this->formula(row, column, formula.constData(), value, format);
    }
    void textFormula(lxw_row_t row, lxw_col_t column, const char* formula, const QString& value,
                     lxw_format* format);
    // Merges the cells and writes the text into the first.
    void merge(lxw_row_t firstRow, lxw_col_t firstColumn, lxw_row_t lastRow, lxw_col_t lastColumn,
               const QString& text, lxw_format* format);
    void setRowHeight(lxw_row_t row, double points);
    // The width of a column, and what a cell of it shows when nothing else is written there.
    void setColumnWidth(lxw_col_t column, double characters, lxw_format* format);
    // Draws `format` over every cell of the range, written or not, as a conditional format that always holds:
    // a grid costs one rule rather than a cell for each empty place.
    void formatAlways(lxw_row_t firstRow, lxw_col_t firstColumn, lxw_row_t lastRow, lxw_col_t lastColumn,
                      lxw_format* format);
    void setFooter(const QString& footer);
    void repeatRows(lxw_row_t first, lxw_row_t last);

    // Writes the book to its file.
    void close();

private:
    void check(lxw_error error, lxw_row_t row) const;

    QString m_shownName;
    QByteArray m_scratch;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
};

} // namespace zeb
