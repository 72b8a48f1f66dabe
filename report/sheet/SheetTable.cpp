#include "report/sheet/SheetTable.h"

#include <numeric>

namespace zeb {

namespace {

using namespace formcolumns;

// Percent of the sheet's width: the entry order's "№ … от dd.MM.yyyy" and the headings' longest words fit
// on one line in the form's font.
constexpr std::array<int, Count> widths = {12, 4, 16, 6, 8, 4, 4, 4, 9, 10, 5, 8, 10};
static_assert(std::accumulate(widths.begin(), widths.end(), 0) == 100);

const QColor headingShade(0xe0, 0xe0, 0xe0);
const QColor unitShade(0xf3, 0xf3, 0xf3);

bool isNumber(int column)
{
    return column == Units || (column >= Salary && column <= MonthlyTotal) || column == HourlyFund;
}

Qt::Alignment alignmentOf(int column)
{
    if (isNumber(column))
        return Qt::AlignRight;
    return column == UnitCode ? Qt::AlignHCenter : Qt::AlignLeft;
}

} // namespace

SheetTable::SheetTable(QPaintDevice& device, const SheetStyle& style)
    : m_style(style), m_text(device, style.text()), m_bold(device, style.bold()),
      m_heading(device, style.heading())
{
    const QRectF& body = style.body();
    m_edges[0] = body.left();
    int percent = 0;
    for (int column = 0; column < Count; ++column) {
        percent += widths[size_t(column)];
        m_edges[size_t(column) + 1] = body.left() + body.width() * percent / 100;
    }
    const qreal pad = 2 * style.padding();
    const qreal line = m_heading.lineHeight();
    qreal tallest = 0;
    for (int column = 0; column < Count; ++column) {
        const QRectF text = inner(cell(column, column, 0, 0));
        tallest = std::max(
            tallest, m_heading.lineCount(headings[size_t(column)].text.toString(), text.width()) * line);
    }
    const QRectF allowances = inner(cell(Allowance1, Allowance3, 0, 0));
    m_allowancesHeight = m_heading.lineCount(allowancesHeading.toString(), allowances.width()) * line + pad;
    // The allowances' own cells below their common heading keep at least a line.
    m_headingHeight = std::max(tallest + pad, m_allowancesHeight + line + pad);
    m_numbersHeight = line + pad;
    layOutHeading();
}

QRectF SheetTable::cell(int first, int last, qreal top, qreal height) const
{
    const qreal left = m_edges[size_t(first)];
    return QRectF(left, top, m_edges[size_t(last) + 1] - left, height);
}

QRectF SheetTable::inner(const QRectF& cell) const
{
    const qreal pad = m_style.padding();
    return cell.adjusted(pad, pad, -pad, -pad);
}

void SheetTable::addHeadingCell(const QRectF& cell, const QString& text)
{
    m_headingInk.addBox(cell);
    const QRectF area = inner(cell);
    const qreal height = m_heading.lineCount(text, area.width()) * m_heading.lineHeight();
    m_heading.draw(m_headingInk, area.adjusted(0, (area.height() - height) / 2, 0, 0), Qt::AlignHCenter,
                   text);
}

void SheetTable::layOutHeading()
{
    for (int column = 0; column < Count; ++column) {
        if (column >= Allowance1 && column <= Allowance3) {
            m_headingInk.addBox(
                cell(column, column, m_allowancesHeight, m_headingHeight - m_allowancesHeight));
            continue;
        }
        // "гр. 4" stays on one line.
        const QString text = headings[size_t(column)].text.toString().replace(QStringLiteral("гр. "),
                                                                              QStringLiteral("гр.\u00A0"));
        addHeadingCell(cell(column, column, 0, m_headingHeight), text);
    }
    addHeadingCell(cell(Allowance1, Allowance3, 0, m_allowancesHeight), allowancesHeading.toString());
    for (int column = 0; column < Count; ++column)
        addHeadingCell(cell(column, column, m_headingHeight, m_numbersHeight), QString::number(column + 1));
}

void SheetTable::drawHeading(SheetInk& ink, qreal top) const
{
    ink.addFill(cell(0, Count - 1, top, headingHeight()), headingShade);
    ink.add(m_headingInk, QPointF(0, top));
}

const WrappedText& SheetTable::fontOf(const SheetRow& row) const
{
    return row.kind == SheetRow::Line ? m_text : m_bold;
}

int SheetTable::firstSpan(const SheetRow& row)
{
    switch (row.kind) {
    case SheetRow::Unit:
        return Count;
    case SheetRow::Line:
        return 1;
    case SheetRow::Total:
    case SheetRow::GrandTotal:
        break;
    }
    return Post + 1;
}

qreal SheetTable::rowHeight(const SheetRow& row) const
{
    const WrappedText& font = fontOf(row);
    const int span = firstSpan(row);
    int lines = 1;
    for (int column = 0; column < Count; column = column == 0 ? span : column + 1) {
        const int last = column == 0 ? span - 1 : column;
        lines = std::max(lines,
                         font.lineCount(row.cells[size_t(column)], inner(cell(column, last, 0, 0)).width()));
    }
    return lines * font.lineHeight() + 2 * m_style.padding();
}

void SheetTable::drawGrid(SheetInk& ink, qreal top, qreal height, int spanned) const
{
    const qreal bottom = top + height;
    std::array<QLineF, Count + 3> lines;
    size_t count = 0;
    lines[count++] = QLineF(m_edges.front(), top, m_edges.back(), top);
    lines[count++] = QLineF(m_edges.front(), bottom, m_edges.back(), bottom);
    for (size_t edge = 0; edge < m_edges.size(); ++edge) {
        if (edge == 0 || edge >= size_t(spanned))
            lines[count++] = QLineF(m_edges[edge], top, m_edges[edge], bottom);
    }
    ink.addLines(lines.data(), qsizetype(count));
}

void SheetTable::drawRow(SheetInk& ink, qreal top, qreal height, const SheetRow& row) const
{
    const QRectF all = cell(0, Count - 1, top, height);
    if (row.kind == SheetRow::Unit)
        ink.addFill(all, unitShade);
    else if (row.kind == SheetRow::GrandTotal)
        ink.addFill(all, headingShade);
    const int span = firstSpan(row);
    drawGrid(ink, top, height, span);
    const WrappedText& font = fontOf(row);
    for (int column = 0; column < Count; column = column == 0 ? span : column + 1) {
        const QString& text = row.cells[size_t(column)];
        if (text.isEmpty())
            continue;
        const int last = column == 0 ? span - 1 : column;
        font.draw(ink, inner(cell(column, last, top, height)), alignmentOf(column), text);
    }
}

} // namespace zeb
