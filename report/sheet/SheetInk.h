#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <vector>

class QPainter;

namespace zeb {

// The glyphs and grid lines of one sheet, gathered and handed to the painter at once: the PDF engine's cost
// goes by drawing calls far more than by glyphs or lines, and a sheet holds thousands of each.
class SheetInk
{
public:
    // Without a painter, the ink is kept to be added to sheets later (the table's headings).
    explicit SheetInk(QPainter* painter = nullptr) : m_painter(painter) {}

    // Glyphs of `font` from `origin` on their baseline, each `advances` apart.
    void addGlyphs(const QRawFont& font, const std::vector<quint32>& glyphs,
                   const std::vector<QPointF>& advances, QPointF origin);
    void addLines(const QLineF* lines, qsizetype count);
    void addLine(const QLineF& line) { m_lines.append(line); }
    // The four sides of `box`.
    void addBox(const QRectF& box);
    // A text that needs the full layout, drawn with the painter's own text drawing.
    void addText(const QFont& font, const QRectF& rect, Qt::Alignment alignment, const QString& text);
    // Another ink's glyphs and lines, moved by `offset`.
    void add(const SheetInk& other, QPointF offset);
    // Draws what was gathered (over whatever the painter drew meanwhile) and starts afresh.
    void flush();

private:
    struct Run
    {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    struct Text
    {
        QFont font;
        QRectF rect;
        Qt::Alignment alignment;
        QString text;
    };

    Run& runOf(const QRawFont& font);

    QPainter* m_painter;
    std::vector<Run> m_runs;
    QList<QLineF> m_lines;
    QList<Text> m_texts;
};

} // namespace zeb
