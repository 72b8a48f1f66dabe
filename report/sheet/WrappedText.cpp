#include "report/sheet/WrappedText.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QTextLayout>
#include <algorithm>
#include <map>

namespace zeb {

namespace {

// The font at its size on `device`: a raw font's size is in the pixels it is drawn in.
QRawFont rawFont(const QFont& font, const QPaintDevice& device)
{
    QRawFont raw = QRawFont::fromFont(font);
    raw.setPixelSize(font.pointSizeF() * device.logicalDpiY() / 72);
    return raw;
}

// Below the scripts that join or reorder letters (Hebrew onwards), or punctuation and symbols ("№", "×");
// combining accents are placed by shaping.
bool plainLetter(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code >= 0x0300 && code < 0x0370)
        return false;
    return code >= 0x20 && (code < 0x0590 || (code >= 0x2000 && code < 0x2c00));
}

constexpr qsizetype rememberedBreaks = 4096;

} // namespace

WrappedText::WrappedText(QPaintDevice& device, const QFont& font)
    : m_device(device), m_font(font), m_metrics(font, &device), m_raw(rawFont(font, device))
{
}

bool WrappedText::lookUpGlyphs(QStringView text) const
{
    if (!m_raw.isValid() || !std::all_of(text.begin(), text.end(), plainLetter))
        return false;
    m_glyphs.resize(size_t(text.size()));
    int count = int(m_glyphs.size());
    if (!m_raw.glyphIndexesForChars(text.data(), int(text.size()), m_glyphs.data(), &count))
        return false;
    m_glyphs.resize(size_t(count));
    // A letter the font lacks: the layout finds a font that has it.
    if (std::find(m_glyphs.begin(), m_glyphs.end(), 0u) != m_glyphs.end())
        return false;
    m_advances.resize(m_glyphs.size());
    return m_raw.advancesForGlyphIndexes(m_glyphs.data(), m_advances.data(), count,
                                         QRawFont::SeparateAdvances | QRawFont::UseDesignMetrics);
}

qreal WrappedText::lookedUpWidth() const
{
    qreal width = 0;
    for (const QPointF& advance : m_advances)
        width += advance.x();
    return width;
}

void WrappedText::addLookedUp(SheetInk& ink, qreal left, qreal right, qreal top, Qt::Alignment alignment,
                              QStringView text) const
{
    const qreal width = lookedUpWidth();
    qreal x = left;
    if (alignment & Qt::AlignRight)
        x = right - width;
    else if (alignment & Qt::AlignHCenter)
        x = left + (right - left - width) / 2;
    ink.addGlyphs(m_raw, m_glyphs, QPointF(x, top + m_metrics.ascent()), text);
}

const QList<std::pair<int, int>>& WrappedText::breaks(const QString& text, qreal width) const
{
    const std::pair key(text, width);
    if (const auto found = m_breaks.constFind(key); found != m_breaks.cend())
        return *found;
    // Enough for every post and heading of a schedule; a schedule of notes all different starts afresh.
    if (m_breaks.size() >= rememberedBreaks)
        m_breaks.clear();
    QTextLayout layout(text, m_font, &m_device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<std::pair<int, int>> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append({line.textStart(), line.textLength()});
    }
    layout.endLayout();
    return *m_breaks.insert(key, lines);
}

int WrappedText::lineCount(const QString& text, qreal width) const
{
    if (text.isEmpty())
        return 0;
    if (lookUpGlyphs(text) && lookedUpWidth() <= width)
        return 1;
    return int(breaks(text, width).size());
}

void WrappedText::draw(SheetInk& ink, const QRectF& rect, Qt::Alignment alignment, const QString& text) const
{
    if (text.isEmpty())
        return;
    if (lookUpGlyphs(text) && lookedUpWidth() <= rect.width()) {
        addLookedUp(ink, rect.left(), rect.right(), rect.top(), alignment, text);
        return;
    }
    // The layout only says where the lines break; each line is drawn as a short text is.
    qreal top = rect.top();
    for (const auto& [start, length] : breaks(text, rect.width())) {
        const QStringView line = QStringView(text).mid(start, length).trimmed();
        if (lookUpGlyphs(line))
            addLookedUp(ink, rect.left(), rect.right(), top, alignment, line);
        else
            addShaped(ink, QRectF(rect.left(), top, rect.width(), lineHeight()), alignment, line.toString());
        top += lineHeight();
    }
}

void WrappedText::addShaped(SheetInk& ink, const QRectF& rect, Qt::Alignment alignment,
                            const QString& line) const
{
    QTextLayout layout(line, m_font, &m_device);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine only = layout.createLine();
    only.setLineWidth(rect.width());
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        // Which letter each glyph shows, as far as the font maps letters to glyphs one to one.
        std::map<quint32, char32_t> letters;
        for (const char32_t letter : line.toUcs4()) {
            const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&letter, 1));
            if (glyphs.size() == 1)
                letters.emplace(glyphs.first(), letter);
        }
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const auto letter = letters.find(glyphs[i]);
            ink.addGlyph(font, glyphs[i], rect.topLeft() + positions[i],
                         letter == letters.end() ? 0 : letter->second);
        }
    }
}

} // namespace zeb
