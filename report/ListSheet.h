#pragma once

#include "report/XlsxSheet.h"

#include <QStringList>
#include <initializer_list>

namespace zeb {

// The worksheet of a list the office makes beside the staff schedule (the vacancies, the changes over a
// period): A4 landscape fitted to the page's width with the sheet's number in the footer, title lines,
// sections, bordered tables of texts and staff units, the units as numbers with two decimals so that a
// spreadsheet sums them. Rows are written from the top down. Raises IoError as XlsxSheet does.
class ListSheet
{
public:
    ListSheet(const QString& file, const QString& shownName, const QString& sheetName,
              std::initializer_list<double> columnWidths);

    // The institution, the title in large letters and the line under it.
    void title(const QString& institution, const QString& title, const QString& subtitle);
    // A line of text without a border.
    void line(const QString& text);
    // A text without a border wrapped across the sheet's columns, `lines` lines high.
    void note(const QString& text, int lines);
    // A heading in large letters after an empty row.
    void section(const QString& text);
    void headings(const QStringList& titles);
    // A row naming a unit across the table's first `columns` columns (0: all of the sheet's).
    void unitRow(const QString& unit, lxw_col_t columns = 0);
    // A row across the table in italics.
    void captionRow(const QString& text, lxw_col_t columns = 0);
    // A text in the current row across the columns `first` to `last`, `lines` lines high; nextRow() ends it.
    void spanned(lxw_col_t first, lxw_col_t last, const QString& text, int lines);
    // A row of texts from the first column, then staff units in hundredths.
    void row(const QStringList& texts, std::initializer_list<qint64> hundredths);
    // The same row's cells one by one; nextRow() ends it.
    void texts(lxw_col_t first, const QStringList& texts);
    void numbers(lxw_col_t first, std::initializer_list<qint64> hundredths);
    // Staff units with their sign: "+0.50", "-1.00".
    void signedNumber(lxw_col_t column, qint64 hundredths);
    void nextRow() { ++m_row; }
    // A caption over the first `span` columns and the figures after it.
    void totalRow(const QString& caption, lxw_col_t span, std::initializer_list<qint64> hundredths,
                  bool grand);

    void close() { m_sheet.close(); }

private:
    void across(const QString& text, lxw_format* format, lxw_col_t columns);

    XlsxSheet m_sheet;
    lxw_col_t m_columns;
    lxw_format* m_plain;
    lxw_format* m_number;
    lxw_format* m_signedNumber;
    lxw_format* m_heading;
    lxw_format* m_unit;
    lxw_format* m_caption;
    lxw_format* m_total;
    lxw_format* m_totalNumber;
    lxw_format* m_grand;
    lxw_format* m_grandNumber;
    lxw_format* m_title;
    lxw_format* m_note;
    lxw_row_t m_row = 0;
};

} // namespace zeb
