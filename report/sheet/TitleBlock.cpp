#include "report/sheet/TitleBlock.h"

#include "report/sheet/SheetMedium.h"

namespace zeb {

namespace {

QFont italic(QFont font)
{
    font.setItalic(true);
    return font;
}

// Millimetres before a note and below the block.
constexpr qreal noteGap = 1.5;
constexpr qreal blockGap = 3;

} // namespace

TitleBlock::TitleBlock(SheetMedium& medium, QList<TitleLine> lines)
    : m_style(medium.style()), m_lines(std::move(lines)),
      m_title(medium.device(), SheetStyle::font(13, true)), m_caption(medium.device(), SheetStyle::font(9)),
      m_note(medium.device(), italic(SheetStyle::font(8)))
{
    m_height = layOut(nullptr, 0);
}

void TitleBlock::draw(SheetInk& ink, qreal top) const
{
    layOut(&ink, top);
}

const WrappedText& TitleBlock::fontOf(TitleLine::Role role) const
{
    switch (role) {
    case TitleLine::Title:
        return m_title;
    case TitleLine::Note:
        return m_note;
    case TitleLine::Caption:
        break;
    }
    return m_caption;
}

qreal TitleBlock::layOut(SheetInk* ink, qreal top) const
{
    const QRectF& body = m_style.body();
    qreal y = top;
    for (const TitleLine& line : m_lines) {
        const WrappedText& font = fontOf(line.role);
        if (line.role == TitleLine::Note)
            y += m_style.millimetres(noteGap);
        const qreal height = std::max(1, font.lineCount(line.text, body.width())) * font.lineHeight();
        if (ink)
            font.draw(*ink, QRectF(body.left(), y, body.width(), height),
                      line.role == TitleLine::Note ? Qt::AlignLeft : Qt::AlignHCenter, line.text);
        y += height;
    }
    return y + m_style.millimetres(blockGap) - top;
}

} // namespace zeb
