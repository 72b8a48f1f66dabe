#include "report/ReportXlsx.h"

#include "report/FormColumns.h"
#include "report/FormTexts.h"
#include "report/SavedFile.h"
#include "report/XlsxSheet.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zeb {

namespace {

using namespace formcolumns;
using formtexts::dateText;

constexpr lxw_col_t lastColumn = Count - 1;
// The form's header takes the rows above the column headings.
constexpr lxw_row_t headingRow = 9;
constexpr lxw_row_t numberRow = headingRow + 2;
constexpr lxw_row_t firstBodyRow = numberRow + 1;
// Characters of the default font for one percent of the sheet's width: the columns fill an A4 landscape
// sheet at full size, and fit to width scales whatever a user widens.
constexpr double charactersPerPercent = 1.3;

// A column's width: its share of the sheet, but no narrower than the longest word of its heading, which a
// heading never breaks.
double columnWidth(const Heading& heading)
{
    qsizetype longestWord = 0;
    for (const QStringView word : heading.text.split(u' '))
        longestWord = std::max(longestWord, word.size());
    // The headings' bold 8-point letters are narrower than the default font's digits.
    return std::max(heading.width * charactersPerPercent, double(longestWord) * 0.75 + 1.5);
}

// How many lines a text wrapped within a column of `width` characters takes, the cell's words kept whole.
// No spreadsheet heightens a row for its wrapped texts when it opens a file, so the rows are written as high
// as their texts need; the estimate errs on the high side.
int wrappedLines(QStringView text, double width)
{
    // Letters of the cells' 9-point font a column holds per character of its width.
    const qsizetype capacity = std::max<qsizetype>(1, qsizetype(width * 1.4));
    if (text.size() <= capacity && !text.contains(u'\n'))
        return 1;
    int lines = 1;
    qsizetype used = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u' ' && text.at(end) != u'\n')
            ++end;
        const qsizetype word = end - start;
        const qsizetype needed = used == 0 ? word : used + 1 + word;
        if (needed <= capacity) {
            used = needed;
        } else {
            if (used > 0)
                ++lines;
            // A word longer than the column runs over further lines.
            lines += int(std::max<qsizetype>(word - 1, 0) / capacity);
            used = word == 0 ? 0 : (word - 1) % capacity + 1;
        }
        if (end < text.size() && text.at(end) == u'\n') {
            ++lines;
            used = 0;
        }
        start = end + 1;
    }
    return lines;
}

double unitsValue(double units)
{
    return double(unitHundredths(units)) / 100;
}

double moneyValue(Money money)
{
    return double(money.kopecks()) / 100;
}

// "D13": the column's letter and the row's number as a formula writes them.
QByteArray cell(Column column, lxw_row_t row)
{
    return char('A' + column) + QByteArray::number(row + 1);
}

QByteArray range(Column column, lxw_row_t first, lxw_row_t last)
{
    return cell(column, first) + ':' + cell(column, last);
}

// The formats the sheet uses, made once for the book.
struct Formats
{
    explicit Formats(XlsxSheet& sheet);

    lxw_format* plain;
    lxw_format* centred;
    lxw_format* role;
    lxw_format* small;
    lxw_format* right;
    lxw_format* title;
    lxw_format* institution;
    lxw_format* box;
    lxw_format* boxBold;
    lxw_format* bold;
    lxw_format* staffCount;
    lxw_format* heading;
    lxw_format* columnNumber;
    lxw_format* text;
    lxw_format* units;
    lxw_format* money;
    lxw_format* unit;
    lxw_format* total;
    lxw_format* totalUnits;
    lxw_format* totalMoney;
    lxw_format* grand;
    lxw_format* grandUnits;
    lxw_format* grandMoney;
    lxw_format* note;
    lxw_format* signatureLine;
    // What a column shows in a cell the officer types into; no border, so that it shows nothing elsewhere.
    std::array<lxw_format*, Count> columns;
    // The table's grid, drawn on every cell of the body whether written or not.
    lxw_format* grid;
};

Formats::Formats(XlsxSheet& sheet)
{
    // Staff units to hundredths, money to kopecks; a spreadsheet shows the thousands and the decimal comma
    // of its own language.
    const char* unitsPattern = "0.00";
    const char* moneyPattern = "#,##0.00";
    constexpr uint32_t headingFill = 0xE6E6E6;

    plain = sheet.addTextFormat();
    centred = sheet.addTextFormat();
    format_set_align(centred, LXW_ALIGN_CENTER);
    role = sheet.addTextFormat();
    format_set_bold(role);
    format_set_align(role, LXW_ALIGN_VERTICAL_BOTTOM);
    small = sheet.addTextFormat(7);
    format_set_align(small, LXW_ALIGN_CENTER);
    right = sheet.addTextFormat();
    format_set_align(right, LXW_ALIGN_RIGHT);
    format_set_align(right, LXW_ALIGN_VERTICAL_CENTER);
    title = sheet.addTextFormat(13);
    format_set_bold(title);
    format_set_align(title, LXW_ALIGN_RIGHT);
    format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);
    institution = sheet.addTextFormat(10);
    format_set_bold(institution);
    format_set_align(institution, LXW_ALIGN_CENTER);
    format_set_align(institution, LXW_ALIGN_VERTICAL_BOTTOM);
    format_set_bottom(institution, LXW_BORDER_THIN);
    format_set_text_wrap(institution);
    box = sheet.addCellFormat(false, 0, nullptr);
    format_set_align(box, LXW_ALIGN_CENTER);
    format_set_align(box, LXW_ALIGN_VERTICAL_CENTER);
    boxBold = sheet.addCellFormat(true, 0, nullptr);
    format_set_align(boxBold, LXW_ALIGN_CENTER);
    format_set_align(boxBold, LXW_ALIGN_VERTICAL_CENTER);
    bold = sheet.addTextFormat();
    format_set_bold(bold);
    format_set_text_wrap(bold);
    staffCount = sheet.addTextFormat();
    format_set_bold(staffCount);
    format_set_bottom(staffCount, LXW_BORDER_THIN);
    format_set_align(staffCount, LXW_ALIGN_CENTER);
    format_set_num_format(staffCount, unitsPattern);
    heading = sheet.addCellFormat(true, headingFill, nullptr);
    format_set_font_size(heading, 8);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
    columnNumber = sheet.addCellFormat(false, headingFill, nullptr);
    format_set_align(columnNumber, LXW_ALIGN_CENTER);
    text = sheet.addCellFormat(false, 0, nullptr);
    units = sheet.addCellFormat(false, 0, unitsPattern);
    money = sheet.addCellFormat(false, 0, moneyPattern);
    unit = sheet.addCellFormat(true, 0, nullptr);
    total = sheet.addCellFormat(true, 0, nullptr);
    totalUnits = sheet.addCellFormat(true, 0, unitsPattern);
    totalMoney = sheet.addCellFormat(true, 0, moneyPattern);
    grand = sheet.addCellFormat(true, headingFill, nullptr);
    grandUnits = sheet.addCellFormat(true, headingFill, unitsPattern);
    grandMoney = sheet.addCellFormat(true, headingFill, moneyPattern);
    note = sheet.addTextFormat();
    format_set_italic(note);
    for (int column = 0; column < Count; ++column) {
        lxw_format* format = sheet.addTextFormat();
        format_set_text_wrap(format);
        if (column == Units)
            format_set_num_format(format, unitsPattern);
        else if (column >= Salary && column <= MonthlyTotal)
            format_set_num_format(format, moneyPattern);
        columns.at(column) = format;
    }
    grid = sheet.addFormat();
    format_set_border(grid, LXW_BORDER_THIN);
    signatureLine = sheet.addTextFormat();
    format_set_bottom(signatureLine, LXW_BORDER_THIN);
    format_set_align(signatureLine, LXW_ALIGN_CENTER);
    format_set_align(signatureLine, LXW_ALIGN_VERTICAL_BOTTOM);
    format_set_text_wrap(signatureLine);
}

// Writes the sheet row by row; `row` is the next row to write.
class FormWriter
{
public:
    FormWriter(XlsxSheet& sheet, const ScheduleReport& report)
        : m_sheet(sheet), m_report(report), m_formats(sheet)
    {
    }

    void write();

private:
    void pageSetup();
    void header();
    void columnHeadings();
    void group(const ReportGroup& group);
    void line(const ReportLine& line, const QString& code);
    void groupTotal(const ReportGroup& group, lxw_row_t firstLine);
    void grandTotal();
    void signatures();
    void signature(const QString& role, const QString& position, const QString& name, bool withPosition);
    // Blank bordered cells from `first` to `last` of the current row.
    void blanks(Column first, Column last, lxw_format* format);
    // A text cell of the current row, unless the text is empty.
    void textIfAny(Column column, const QString& text, lxw_format* format);
    // Heightens the current row for the texts it holds, the column's text beside each column.
    void fitRow(std::initializer_list<std::pair<Column, const QString&>> texts);
    lxw_row_t grandTotalRow() const;

    XlsxSheet& m_sheet;
    const ScheduleReport& m_report;
    Formats m_formats;
    lxw_row_t m_row = 0;
    // The rows of the unit totals, for the grand total's range.
    lxw_row_t m_lastTotalRow = 0;
    std::array<double, Count> m_widths = {};
};

void FormWriter::write()
{
    pageSetup();
    header();
    columnHeadings();
    for (const ReportGroup& group : m_report.groups)
        this->group(group);
    grandTotal();
    signatures();
}

void FormWriter::pageSetup()
{
    lxw_worksheet* sheet = m_sheet.worksheet();
    worksheet_set_paper(sheet, 9); // A4
    worksheet_set_landscape(sheet);
    worksheet_set_margins(sheet, 0.4, 0.4, 0.5, 0.6);
    worksheet_fit_to_pages(sheet, 1, 0);
    worksheet_center_horizontally(sheet);
    m_sheet.setFooter(QStringLiteral("&R&8Лист &P из &N"));
    m_sheet.repeatRows(headingRow, numberRow);
    for (int column = 0; column < Count; ++column) {
        m_widths.at(column) = columnWidth(formcolumns::headings.at(column));
        m_sheet.setColumnWidth(lxw_col_t(column), m_widths.at(column), m_formats.columns.at(column));
    }
    // The headings scroll with the lines on screen too.
    worksheet_freeze_panes(sheet, firstBodyRow, 0);
}

lxw_row_t FormWriter::grandTotalRow() const
{
    lxw_row_t rows = firstBodyRow;
    for (const ReportGroup& group : m_report.groups)
        rows += lxw_row_t(group.lines.size()) + 2;
    return rows;
}

void FormWriter::header()
{
    const Formats& f = m_formats;
    const FormDetails& details = m_report.details;
    m_sheet.text(0, lastColumn, QStringLiteral("Код"), f.box);
    m_sheet.merge(1, Note, 1, Funding, QStringLiteral("Форма по ОКУД"), f.right);
    m_sheet.text(1, lastColumn, QStringLiteral("0301017"), f.boxBold);
    m_sheet.merge(2, Unit, 2, MonthlyTotal, m_report.institution, f.institution);
    m_sheet.merge(2, Note, 2, Funding, QStringLiteral("по ОКПО"), f.right);
    m_sheet.text(2, lastColumn, m_report.requisites.okpo, f.boxBold);
    // A long name takes two lines of its merged cells, which no spreadsheet heightens by itself.
    m_sheet.setRowHeight(2, m_report.institution.size() > 110 ? 27 : 15);
    m_sheet.merge(3, Unit, 3, MonthlyTotal, QStringLiteral("(наименование организации)"), f.small);

    m_sheet.merge(5, Units, 5, Salary, QStringLiteral("Номер документа"), f.box);
    m_sheet.merge(5, Allowance1, 5, Allowance2, QStringLiteral("Дата составления"), f.box);
    m_sheet.merge(5, Note, 5, EntryOrder, QStringLiteral("УТВЕРЖДЕНО"), f.bold);
    m_sheet.setRowHeight(5, 24);
    m_sheet.merge(6, Unit, 6, Post, QStringLiteral("ШТАТНОЕ РАСПИСАНИЕ"), f.title);
    m_sheet.merge(6, Units, 6, Salary, details.documentNumber, f.boxBold);
    m_sheet.merge(6, Allowance1, 6, Allowance2, dateText(details.compiledOn), f.boxBold);
    m_sheet.merge(6, Note, 6, EntryOrder, formtexts::approvalText(details), f.bold);
    m_sheet.setRowHeight(6, 27);
    m_sheet.merge(7, Unit, 7, MonthlyTotal, formtexts::periodText(m_report), f.centred);
    m_sheet.merge(7, Note, 7, HourlyFund, QStringLiteral("Штат в количестве"), f.right);
    // The grand total of column 4, so that it follows the lines.
    m_sheet.formula(7, Funding, "=" + cell(Units, grandTotalRow()), unitsValue(m_report.totalUnits),
                    f.staffCount);
    m_sheet.text(7, EntryOrder, QStringLiteral("единиц"), f.plain);
}

void FormWriter::columnHeadings()
{
    const Formats& f = m_formats;
    // Row by row, as a book written row by row wants them: the headings, "Надбавки, руб." over 6 to 8, the
    // headings of 6 to 8 below it, the column numbers.
    const auto headingOf = [](int column) { return formcolumns::headings.at(column).text.toString(); };
    m_sheet.setRowHeight(headingRow, 14);
    for (int column = 0; column < Count; ++column)
        m_sheet.text(headingRow, lxw_col_t(column),
                     column == Allowance1                           ? allowancesHeading.toString()
                     : column == Allowance2 || column == Allowance3 ? QString()
                                                                    : headingOf(column),
                     f.heading);
    m_sheet.merge(headingRow, Allowance1, headingRow, Allowance3, allowancesHeading.toString(), f.heading);
    m_sheet.setRowHeight(headingRow + 1, 62);
    for (int column = 0; column < Count; ++column) {
        const bool allowance = column >= Allowance1 && column <= Allowance3;
        m_sheet.text(headingRow + 1, lxw_col_t(column), allowance ? headingOf(column) : QString(), f.heading);
    }
    // Each other heading over both rows; its text is in place already.
    for (int column = 0; column < Count; ++column) {
        if (column < Allowance1 || column > Allowance3)
            m_sheet.merge(headingRow, lxw_col_t(column), headingRow + 1, lxw_col_t(column), headingOf(column),
                          f.heading);
    }
    for (int column = 0; column < Count; ++column)
        m_sheet.number(numberRow, lxw_col_t(column), column + 1, f.columnNumber);
    m_row = firstBodyRow;
}

void FormWriter::textIfAny(Column column, const QString& text, lxw_format* format)
{
    if (!text.isEmpty())
        m_sheet.text(m_row, column, text, format);
}

void FormWriter::blanks(Column first, Column last, lxw_format* format)
{
    for (int column = first; column <= last; ++column)
        m_sheet.blank(m_row, lxw_col_t(column), format);
}

void FormWriter::fitRow(std::initializer_list<std::pair<Column, const QString&>> texts)
{
    int lines = 1;
    for (const auto& [column, text] : texts)
        lines = std::max(lines, wrappedLines(text, m_widths.at(column)));
    // The cells' 9-point lines, and a little room below the last; no spreadsheet makes a row higher than 409
    // points.
    if (lines > 1)
        m_sheet.setRowHeight(m_row, std::min(lines * 11.5 + 3, 409.0));
}

void FormWriter::group(const ReportGroup& group)
{
    fitRow({{Unit, group.unit}, {UnitCode, group.code}});
    m_sheet.text(m_row, Unit, group.unit, m_formats.unit);
    m_sheet.text(m_row, UnitCode, group.code, m_formats.unit);
    ++m_row;
    const lxw_row_t firstLine = m_row;
    for (const ReportLine& line : group.lines)
        this->line(line, group.code);
    groupTotal(group, firstLine);
}

void FormWriter::line(const ReportLine& line, const QString& code)
{
    const Formats& f = m_formats;
    const QString post = formtexts::postText(line);
    const QString order = formtexts::entryOrderText(line);
    fitRow({{UnitCode, code}, {Post, post}, {Note, line.note}, {Funding, line.funding}, {EntryOrder, order}});
    // Empty cells are left unwritten: the columns' formats and the grid stand for them.
    textIfAny(UnitCode, code, f.text);
    textIfAny(Post, post, f.text);
    m_sheet.number(m_row, Units, unitsValue(line.units), f.units);
    if (line.salary)
        m_sheet.number(m_row, Salary, moneyValue(*line.salary), f.money);
    // (5 + 6 + 7 + 8) × 4 to kopecks, following whatever the officer types into columns 4 to 8; empty while
    // a line has no pay, until a salary is typed in.
    const unsigned row = m_row + 1;
    std::array<char, 96> formula;
    if (line.monthlyTotal) {
        std::snprintf(formula.data(), formula.size(), "=ROUND((E%u+F%u+G%u+H%u)*D%u,2)", row, row, row, row,
                      row);
        m_sheet.formula(m_row, MonthlyTotal, formula.data(), moneyValue(*line.monthlyTotal), f.money);
    } else {
        std::snprintf(formula.data(), formula.size(),
                      "=IF(COUNT(E%u:H%u)=0,\"\",ROUND((E%u+F%u+G%u+H%u)*D%u,2))", row, row, row, row, row,
                      row, row);
        m_sheet.textFormula(m_row, MonthlyTotal, formula.data(), QString(), f.money);
    }
    textIfAny(Note, line.note, f.text);
    if (!line.hourlyFund.isNull())
        m_sheet.number(m_row, HourlyFund, line.hourlyFund.toDouble(), f.text);
    textIfAny(Funding, line.funding, f.text);
    textIfAny(EntryOrder, order, f.text);
    ++m_row;
}

void FormWriter::groupTotal(const ReportGroup& group, lxw_row_t firstLine)
{
    const Formats& f = m_formats;
    m_sheet.text(m_row, Unit, QStringLiteral("Итого по подразделению"), f.total);
    const lxw_row_t lastLine = m_row - 1;
    // SUBTOTAL, not SUM: the grand total sums every line once, leaving out the units' totals it meets.
    if (group.lines.isEmpty()) {
        m_sheet.number(m_row, Units, 0, f.totalUnits);
        m_sheet.number(m_row, MonthlyTotal, 0, f.totalMoney);
    } else {
        m_sheet.formula(m_row, Units, "=SUBTOTAL(9," + range(Units, firstLine, lastLine) + ')',
                        unitsValue(group.units), f.totalUnits);
        m_sheet.formula(m_row, MonthlyTotal, "=SUBTOTAL(9," + range(MonthlyTotal, firstLine, lastLine) + ')',
                        moneyValue(group.monthlyTotal), f.totalMoney);
    }
    m_lastTotalRow = m_row;
    ++m_row;
}

void FormWriter::grandTotal()
{
    const Formats& f = m_formats;
    m_sheet.text(m_row, Unit, QStringLiteral("Всего"), f.grand);
    blanks(UnitCode, Post, f.grand);
    if (m_report.groups.isEmpty()) {
        m_sheet.number(m_row, Units, 0, f.grandUnits);
        m_sheet.number(m_row, MonthlyTotal, 0, f.grandMoney);
    } else {
        m_sheet.formula(m_row, Units, "=SUBTOTAL(9," + range(Units, firstBodyRow, m_lastTotalRow) + ')',
                        unitsValue(m_report.totalUnits), f.grandUnits);
        m_sheet.formula(m_row, MonthlyTotal,
                        "=SUBTOTAL(9," + range(MonthlyTotal, firstBodyRow, m_lastTotalRow) + ')',
                        moneyValue(m_report.monthlyTotal), f.grandMoney);
    }
    blanks(Salary, Allowance3, f.grandMoney);
    blanks(Note, EntryOrder, f.grand);
    m_sheet.formatAlways(firstBodyRow, Unit, m_row, lastColumn, f.grid);
    ++m_row;
    const QString missing = formtexts::missingSalaryText(m_report.linesWithoutSalary);
    if (!missing.isEmpty()) {
        m_sheet.merge(m_row, Unit, m_row, lastColumn, missing, m_formats.note);
        ++m_row;
    }
}

void FormWriter::signature(const QString& role, const QString& position, const QString& name,
                           bool withPosition)
{
    const Formats& f = m_formats;
    m_sheet.merge(m_row, Unit, m_row, UnitCode, role, f.role);
    if (withPosition)
        m_sheet.text(m_row, Post, position, f.signatureLine);
    m_sheet.merge(m_row, Units, m_row, Salary, QString(), f.signatureLine);
    m_sheet.merge(m_row, Allowance1, m_row, MonthlyTotal, name, f.signatureLine);
    m_sheet.setRowHeight(m_row, 27);
    ++m_row;
    if (withPosition)
        m_sheet.text(m_row, Post, QStringLiteral("(должность)"), f.small);
    m_sheet.merge(m_row, Units, m_row, Salary, QStringLiteral("(личная подпись)"), f.small);
    m_sheet.merge(m_row, Allowance1, m_row, MonthlyTotal, QStringLiteral("(расшифровка подписи)"), f.small);
    ++m_row;
}

void FormWriter::signatures()
{
    ++m_row;
    const FormRequisites& requisites = m_report.requisites;
    signature(QStringLiteral("Руководитель кадровой службы"), requisites.hrHeadPosition,
              requisites.hrHeadName, true);
    ++m_row;
    signature(QStringLiteral("Главный бухгалтер"), QString(), requisites.chiefAccountantName, false);
}

} // namespace

void writeReportXlsx(const ScheduleReport& report, const QString& path)
{
    saveFileByName(path, [&](const QString& file) {
        XlsxSheet sheet(file, path, QStringLiteral("Штатное расписание"));
        FormWriter(sheet, report).write();
        sheet.close();
    });
}

} // namespace zeb
