#include "report/ListSheet.h"

namespace zeb {

namespace {

constexpr uint32_t headingFill = 0xE6E6E6;
constexpr uint32_t unitFill = 0xF0F0F0;
// Points a line of the sheet's text takes.
constexpr double lineHeight = 12;

} // namespace

ListSheet::ListSheet(const QString& file, const QString& shownName, const QString& sheetName,
                     std::initializer_list<double> columnWidths)
    : m_sheet(file, shownName, sheetName), m_columns(lxw_col_t(columnWidths.size())),
      m_plain(m_sheet.addCellFormat(false, 0, nullptr)), m_number(m_sheet.addCellFormat(false, 0, "0.00")),
      m_signedNumber(m_sheet.addCellFormat(false, 0, "+0.00;-0.00;0.00")),
      m_heading(m_sheet.addCellFormat(true, headingFill, nullptr)),
      m_unit(m_sheet.addCellFormat(true, unitFill, nullptr)),
      m_caption(m_sheet.addCellFormat(false, 0, nullptr)), m_total(m_sheet.addCellFormat(true, 0, nullptr)),
      m_totalNumber(m_sheet.addCellFormat(true, 0, "0.00")),
      m_grand(m_sheet.addCellFormat(true, headingFill, nullptr)),
      m_grandNumber(m_sheet.addCellFormat(true, headingFill, "0.00")), m_title(m_sheet.addFormat()),
      m_note(m_sheet.addFormat())
{
    format_set_text_wrap(m_note);
    format_set_align(m_note, LXW_ALIGN_VERTICAL_TOP);
    format_set_bold(m_title);
    format_set_font_size(m_title, 13);
    format_set_italic(m_caption);
    lxw_worksheet* sheet = m_sheet.worksheet();
    worksheet_set_paper(sheet, 9); // A4
    worksheet_set_landscape(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    m_sheet.setFooter(QStringLiteral("&R&8Лист &P из &N"));
    lxw_col_t column = 0;
    for (double width : columnWidths)
        m_sheet.setColumnWidth(column++, width, nullptr);
}

void ListSheet::title(const QString& institution, const QString& title, const QString& subtitle)
{
    m_sheet.text(m_row++, 0, institution, nullptr);
    m_sheet.text(m_row++, 0, title, m_title);
    m_sheet.text(m_row++, 0, subtitle, nullptr);
}

void ListSheet::line(const QString& text)
{
    m_sheet.text(m_row++, 0, text, nullptr);
}

void ListSheet::note(const QString& text, int lines)
{
    m_sheet.setRowHeight(m_row, lineHeight * lines);
    m_sheet.merge(m_row, 0, m_row, m_columns - 1, text, m_note);
    ++m_row;
}

void ListSheet::section(const QString& text)
{
    ++m_row;
    m_sheet.text(m_row++, 0, text, m_title);
}

void ListSheet::headings(const QStringList& titles)
{
    for (lxw_col_t column = 0; column < lxw_col_t(titles.size()); ++column)
        m_sheet.text(m_row, column, titles.at(column), m_heading);
    ++m_row;
}

void ListSheet::unitRow(const QString& unit, lxw_col_t columns)
{
    across(unit, m_unit, columns);
}

void ListSheet::captionRow(const QString& text, lxw_col_t columns)
{
    across(text, m_caption, columns);
}

void ListSheet::across(const QString& text, lxw_format* format, lxw_col_t columns)
{
    m_sheet.merge(m_row, 0, m_row, (columns == 0 ? m_columns : columns) - 1, text, format);
    ++m_row;
}

void ListSheet::spanned(lxw_col_t first, lxw_col_t last, const QString& text, int lines)
{
    if (lines > 1)
        m_sheet.setRowHeight(m_row, lineHeight * lines);
    m_sheet.merge(m_row, first, m_row, last, text, m_plain);
}

void ListSheet::row(const QStringList& texts, std::initializer_list<qint64> hundredths)
{
    this->texts(0, texts);
    numbers(lxw_col_t(texts.size()), hundredths);
    ++m_row;
}

void ListSheet::texts(lxw_col_t first, const QStringList& texts)
{
    lxw_col_t column = first;
    for (const QString& text : texts)
        m_sheet.text(m_row, column++, text, m_plain);
}

void ListSheet::numbers(lxw_col_t first, std::initializer_list<qint64> hundredths)
{
    lxw_col_t column = first;
    for (qint64 value : hundredths)
        m_sheet.number(m_row, column++, double(value) / 100, m_number);
}

void ListSheet::signedNumber(lxw_col_t column, qint64 hundredths)
{
    m_sheet.number(m_row, column, double(hundredths) / 100, m_signedNumber);
}

void ListSheet::totalRow(const QString& caption, lxw_col_t span, std::initializer_list<qint64> hundredths,
                         bool grand)
{
    if (span > 1)
        m_sheet.merge(m_row, 0, m_row, span - 1, caption, grand ? m_grand : m_total);
    else
        m_sheet.text(m_row, 0, caption, grand ? m_grand : m_total);
    lxw_col_t column = span;
    for (qint64 value : hundredths)
        m_sheet.number(m_row, column++, double(value) / 100, grand ? m_grandNumber : m_totalNumber);
    ++m_row;
}

} // namespace zeb
