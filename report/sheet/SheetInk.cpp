#include "report/sheet/SheetInk.h"

#include "report/sheet/PdfDocument.h"

namespace zeb {

namespace {

// Points with two decimals, written without the general number formatting: a sheet has thousands.
void appendNumber(QByteArray& out, qreal value)
{
    qint64 hundredths = qRound64(value * 100);
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    char digits[24];
    int at = sizeof digits;
    digits[--at] = char('0' + hundredths % 10);
    digits[--at] = char('0' + hundredths / 10 % 10);
    digits[--at] = '.';
    qint64 whole = hundredths / 100;
    do {
        digits[--at] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    out.append(digits + at, qsizetype(sizeof digits) - at);
}

void appendGlyph(QByteArray& out, quint32 glyph)
{
    static constexpr char hex[] = "0123456789abcdef";
    const char digits[4] = {hex[(glyph >> 12) & 0xF], hex[(glyph >> 8) & 0xF], hex[(glyph >> 4) & 0xF],
                            hex[glyph & 0xF]};
    out.append(digits, 4);
}

} // namespace

int SheetInk::fontIndex(const QRawFont& font)
{
    // A sheet is drawn in a few fonts only.
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == font)
            return int(i);
    }
    m_fonts.push_back(font);
    return int(m_fonts.size() - 1);
}

void SheetInk::addFill(const QRectF& area, const QColor& colour)
{
    m_fills.append(Fill{area, colour});
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

void SheetInk::addGlyphs(const QRawFont& font, const std::vector<quint32>& glyphs, QPointF origin,
                         QStringView text)
{
    m_pieces.append(Piece{fontIndex(font), origin, m_glyphs.size(), qsizetype(glyphs.size())});
    m_glyphs.append(QList<quint32>(glyphs.begin(), glyphs.end()));
    const bool oneByOne = text.size() == qsizetype(glyphs.size());
    for (size_t i = 0; i < glyphs.size(); ++i)
        m_letters.append(oneByOne ? char32_t(text[qsizetype(i)].unicode()) : 0);
}

void SheetInk::addGlyph(const QRawFont& font, quint32 glyph, QPointF origin, char32_t letter)
{
    m_pieces.append(Piece{fontIndex(font), origin, m_glyphs.size(), 1});
    m_glyphs.append(glyph);
    m_letters.append(letter);
}

void SheetInk::add(const SheetInk& other, QPointF offset)
{
    for (const Fill& fill : other.m_fills)
        m_fills.append(Fill{fill.area.translated(offset), fill.colour});
    for (const QLineF& line : other.m_lines)
        m_lines.append(line.translated(offset));
    const qsizetype base = m_glyphs.size();
    for (const Piece& piece : other.m_pieces)
        m_pieces.append(Piece{fontIndex(other.m_fonts[size_t(piece.font)]), piece.origin + offset,
                              base + piece.first, piece.count});
    m_glyphs.append(other.m_glyphs);
    m_letters.append(other.m_letters);
}

void SheetInk::flush(PdfDocument& document, qreal scale, qreal lineWidth)
{
    const qreal height = document.pageSize().height();
    QByteArray& out = m_content;
    out.resize(0);
    const auto point = [&](QPointF at) {
        appendNumber(out, at.x() * scale);
        out += ' ';
        appendNumber(out, height - at.y() * scale);
        out += ' ';
    };
    for (const Fill& fill : std::as_const(m_fills)) {
        for (const float part : {fill.colour.redF(), fill.colour.greenF(), fill.colour.blueF()}) {
            appendNumber(out, part);
            out += ' ';
        }
        out += "rg ";
        point(fill.area.bottomLeft());
        appendNumber(out, fill.area.width() * scale);
        out += ' ';
        appendNumber(out, fill.area.height() * scale);
        out += " re f\n";
    }
    out += "0 G ";
    appendNumber(out, lineWidth * scale);
    out += " w\n";
    for (const QLineF& line : std::as_const(m_lines)) {
        point(line.p1());
        out += "m ";
        point(line.p2());
        out += "l\n";
    }
    out += "S\n0 g BT\n";
    int current = -1;
    for (const Piece& piece : std::as_const(m_pieces)) {
        const QRawFont& raw = m_fonts[size_t(piece.font)];
        PdfFont& font = document.font(raw);
        if (piece.font != current) {
            out += '/' + font.name() + ' ';
            appendNumber(out, raw.pixelSize() * scale);
            out += " Tf\n";
            current = piece.font;
        }
        out += "1 0 0 1 ";
        point(piece.origin);
        out += "Tm <";
        for (qsizetype i = piece.first; i < piece.first + piece.count; ++i) {
            font.use(m_glyphs[i], m_letters[i]);
            appendGlyph(out, m_glyphs[i]);
        }
        out += "> Tj\n";
    }
    out += "ET\n";
    document.addPage(out);
    m_fonts.clear();
    m_fills.clear();
    m_lines.clear();
    m_pieces.clear();
    m_glyphs.clear();
    m_letters.clear();
}

} // namespace zeb
