#pragma once

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <vector>

namespace zeb {

class PdfDocument;

// What one sheet shows, gathered in the layout's pixels and written as one page: shaded areas, grid lines
// and glyphs. Kept apart from any sheet, it can be added to sheets later (the table's headings).
class SheetInk
{
public:
    void addFill(const QRectF& area, const QColor& colour);
    void addLines(const QLineF* lines, qsizetype count);
    void addLine(const QLineF& line) { m_lines.append(line); }
    // The four sides of `box`.
    void addBox(const QRectF& box);
    // Glyphs of `font` from `origin` on their baseline, each after the other by its advance; `text` gives
    // their letters when each glyph is one letter of it.
    void addGlyphs(const QRawFont& font, const std::vector<quint32>& glyphs, QPointF origin,
                   QStringView text);
    // One glyph at its own place on the baseline, for `letter` (0 when unknown).
    void addGlyph(const QRawFont& font, quint32 glyph, QPointF origin, char32_t letter);
    // Another ink's content, moved by `offset`.
    void add(const SheetInk& other, QPointF offset);
    // Writes the gathered content as a page of `document`, `scale` points to a pixel, and starts afresh.
    void flush(PdfDocument& document, qreal scale, qreal lineWidth);

private:
    struct Fill
    {
        QRectF area;
        QColor colour;
    };
    // Glyphs drawn from one place, each after the other by its advance.
    struct Piece
    {
        int font;
        QPointF origin;
        qsizetype first;
        qsizetype count;
    };

    int fontIndex(const QRawFont& font);

    std::vector<QRawFont> m_fonts;
    QList<Fill> m_fills;
    QList<QLineF> m_lines;
    QList<Piece> m_pieces;
    QList<quint32> m_glyphs;
    QList<char32_t> m_letters;
    // The page's operators, its buffer kept from page to page.
    QByteArray m_content;
};

} // namespace zeb
