#include "report/sheet/SheetTable.h"

#include <QVarLengthArray>

namespace zeb {

namespace {

const QColor headingShade(0xe0, 0xe0, 0xe0);
const QColor unitShade(0xf3, 0xf3, 0xf3);

} // namespace

SheetTable::SheetTable(QPaintDevice& device, const SheetStyle& style, SheetColumns columns)
    : m_style(style), m_columns(std::move(columns)), m_text(device, style.text()),
      m_bold(device, style.bold()), m_heading(device, style.heading())
{
    const QRectF& body = style.body();
    int total = 0;
    for (const SheetColumn& column : std::as_const(m_columns.columns))
        total += column.width;
    m_edges.push_back(body.left());
    int share = 0;
    for (const SheetColumn& column : std::as_const(m_columns.columns)) {
        share += column.width;
        m_edges.push_back(body.left() + body.width() * share / total);
    }
    measureHeading();
    layOutHeading();
}

int SheetTable::groupOf(int column) const
{
    for (qsizetype group = 0; group < m_columns.groups.size(); ++group) {
        const SheetColumnGroup& spanned = m_columns.groups.at(group);
        if (column >= spanned.first && column <= spanned.last)
            return int(group);
    }
    return -1;
}

void SheetTable::measureHeading()
{
    const qreal pad = 2 * m_style.padding();
    const qreal line = m_heading.lineHeight();
    const auto linesOf = [&](const QString& text, int first, int last) {
        return m_heading.lineCount(text, inner(cell(first, last, 0, 0)).width()) * line;
    };
    qreal tallest = 0;
    for (int column = 0; column < count(); ++column) {
        if (groupOf(column) < 0)
            tallest = std::max(tallest, linesOf(m_columns.columns.at(column).heading, column, column));
    }
    m_headingHeight = tallest + pad;
    for (const SheetColumnGroup& group : std::as_const(m_columns.groups)) {
        const qreal own = linesOf(group.heading, group.first, group.last) + pad;
        // The columns' own cells below their common heading keep at least a line.
        qreal below = line;
        for (int column = group.first; column <= group.last; ++column)
            below = std::max(below, linesOf(m_columns.columns.at(column).heading, column, column));
        m_groupHeights.push_back(own);
        m_headingHeight = std::max(m_headingHeight, own + below + pad);
    }
    m_numbersHeight = m_columns.numbered ? line + pad : 0;
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
    for (int column = 0; column < count(); ++column) {
        const QString& text = m_columns.columns.at(column).heading;
        const int group = groupOf(column);
        const qreal top = group < 0 ? 0 : m_groupHeights[size_t(group)];
        const QRectF own = cell(column, column, top, m_headingHeight - top);
        if (text.isEmpty())
            m_headingInk.addBox(own);
        else
            addHeadingCell(own, text);
    }
    for (qsizetype group = 0; group < m_columns.groups.size(); ++group) {
        const SheetColumnGroup& spanned = m_columns.groups.at(group);
        addHeadingCell(cell(spanned.first, spanned.last, 0, m_groupHeights[size_t(group)]), spanned.heading);
    }
    if (!m_columns.numbered)
        return;
    for (int column = 0; column < count(); ++column)
        addHeadingCell(cell(column, column, m_headingHeight, m_numbersHeight), QString::number(column + 1));
}

void SheetTable::drawHeading(SheetInk& ink, qreal top) const
{
    ink.addFill(cell(0, count() - 1, top, headingHeight()), headingShade);
    ink.add(m_headingInk, QPointF(0, top));
}

const WrappedText& SheetTable::fontOf(const SheetRow& row) const
{
    return row.kind == SheetRow::Line ? m_text : m_bold;
}

int SheetTable::firstSpan(const SheetRow& row) const
{
    if (row.kind == SheetRow::Group || row.kind == SheetRow::Section)
        return count();
    return std::clamp(row.span, 1, count());
}

Qt::Alignment SheetTable::alignmentOf(const SheetRow& row, int column) const
{
    if (column > 0 || firstSpan(row) == 1)
        return m_columns.columns.at(column).alignment;
    return row.kind == SheetRow::Section ? Qt::AlignHCenter : Qt::AlignLeft;
}

const QString& SheetTable::textOf(const SheetRow& row, int column)
{
    static const QString none;
    return column < row.cells.size() ? row.cells.at(column) : none;
}

qreal SheetTable::rowHeight(const SheetRow& row) const
{
    const WrappedText& font = fontOf(row);
    const int span = firstSpan(row);
    int lines = 1;
    for (int column = 0; column < count(); column = column == 0 ? span : column + 1) {
        const int last = column == 0 ? span - 1 : column;
        lines = std::max(lines, font.lineCount(textOf(row, column), inner(cell(column, last, 0, 0)).width()));
    }
    return lines * font.lineHeight() + 2 * m_style.padding();
}

void SheetTable::drawGrid(SheetInk& ink, qreal top, qreal height, int spanned) const
{
    const qreal bottom = top + height;
    QVarLengthArray<QLineF, 32> lines;
    lines.append(QLineF(m_edges.front(), top, m_edges.back(), top));
    lines.append(QLineF(m_edges.front(), bottom, m_edges.back(), bottom));
    for (size_t edge = 0; edge < m_edges.size(); ++edge) {
        if (edge == 0 || edge >= size_t(spanned))
            lines.append(QLineF(m_edges[edge], top, m_edges[edge], bottom));
    }
    ink.addLines(lines.data(), lines.size());
}

void SheetTable::drawRow(SheetInk& ink, qreal top, qreal height, const SheetRow& row) const
{
    const QRectF all = cell(0, count() - 1, top, height);
    if (row.kind == SheetRow::Group)
        ink.addFill(all, unitShade);
    else if (row.kind == SheetRow::GrandTotal)
        ink.addFill(all, headingShade);
    const int span = firstSpan(row);
    drawGrid(ink, top, height, span);
    const WrappedText& font = fontOf(row);
    for (int column = 0; column < count(); column = column == 0 ? span : column + 1) {
        const QString& text = textOf(row, column);
        if (text.isEmpty())
            continue;
        const int last = column == 0 ? span - 1 : column;
        font.draw(ink, inner(cell(column, last, top, height)), alignmentOf(row, column), text);
    }
}

} // namespace zeb
