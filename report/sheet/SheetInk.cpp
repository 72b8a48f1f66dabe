#include "report/sheet/SheetInk.h"

#include <QGlyphRun>
#include <QPainter>

namespace zeb {

SheetInk::Run& SheetInk::runOf(const QRawFont& font)
{
    // A sheet is drawn in a few fonts only.
    for (Run& run : m_runs) {
        if (run.font == font)
            return run;
    }
    m_runs.push_back(Run{font, {}, {}});
    return m_runs.back();
}

void SheetInk::addGlyphs(const QRawFont& font, const std::vector<quint32>& glyphs,
                         const std::vector<QPointF>& advances, QPointF origin)
{
    Run& run = runOf(font);
    run.glyphs.append(QList<quint32>(glyphs.begin(), glyphs.end()));
    for (const QPointF& advance : advances) {
        run.positions.append(origin);
        origin.rx() += advance.x();
    }
}

void SheetInk::addLines(const QLineF* lines, qsizetype count)
{
    m_lines.append(QList<QLineF>(lines, lines + count));
}

void SheetInk::addBox(const QRectF& box)
{
    const QLineF sides[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    addLines(sides, 4);
}

void SheetInk::addText(const QFont& font, const QRectF& rect, Qt::Alignment alignment, const QString& text)
{
    m_texts.append(Text{font, rect, alignment, text});
}

void SheetInk::add(const SheetInk& other, QPointF offset)
{
    for (const Run& source : other.m_runs) {
        Run& run = runOf(source.font);
        run.glyphs.append(source.glyphs);
        for (const QPointF& position : source.positions)
            run.positions.append(position + offset);
    }
    for (const QLineF& line : other.m_lines)
        m_lines.append(line.translated(offset));
    for (const Text& text : other.m_texts)
        m_texts.append(Text{text.font, text.rect.translated(offset), text.alignment, text.text});
}

void SheetInk::flush()
{
    if (m_painter) {
        m_painter->drawLines(m_lines);
        for (const Run& run : m_runs) {
            QGlyphRun glyphs;
            glyphs.setRawFont(run.font);
            glyphs.setGlyphIndexes(run.glyphs);
            glyphs.setPositions(run.positions);
            m_painter->drawGlyphRun(QPointF(), glyphs);
        }
        for (const Text& text : std::as_const(m_texts)) {
            m_painter->setFont(text.font);
            m_painter->drawText(text.rect, int(text.alignment), text.text);
        }
    }
    m_runs.clear();
    m_lines.clear();
    m_texts.clear();
}

} // namespace zeb
