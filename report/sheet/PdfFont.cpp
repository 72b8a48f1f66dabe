#include "report/sheet/PdfFont.h"

#include "report/sheet/PdfDocument.h"

#include <QtEndian>
#include <array>

namespace zeb {

namespace {

// The font's size at which its advances are the file's thousandths of the size.
constexpr qreal thousand = 1000;

// The tables a reader needs to draw TrueType glyphs by number.
constexpr std::array<const char*, 11> tableTags = {"OS/2", "cmap", "cvt ", "fpgm", "glyf", "head",
                                                   "hhea", "hmtx", "loca", "maxp", "prep"};

quint32 checksum(const QByteArray& table)
{
    quint32 sum = 0;
    QByteArray padded = table;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    for (qsizetype at = 0; at < padded.size(); at += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + at);
    return sum;
}

void appendBig(QByteArray& bytes, quint32 value, int size)
{
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xFF));
}

QByteArray hex4(quint32 value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0').toUpper();
}

} // namespace

PdfFont::PdfFont(const QRawFont& font, int objectNumber, const QByteArray& name)
    : m_font(font), m_objectNumber(objectNumber), m_name(name)
{
    m_font.setPixelSize(thousand);
}

bool PdfFont::matches(const QRawFont& font) const
{
    return font.familyName() == m_font.familyName() && font.styleName() == m_font.styleName();
}

void PdfFont::use(quint32 glyph, char32_t letter)
{
    char32_t& known = m_used[glyph];
    if (known == 0)
        known = letter;
}

QByteArray PdfFont::fontFile() const
{
    std::vector<std::pair<const char*, QByteArray>> tables;
    for (const char* tag : tableTags) {
        const QByteArray table = m_font.fontTable(tag);
        if (!table.isEmpty())
            tables.emplace_back(tag, table);
    }
    const auto count = quint32(tables.size());
    quint32 power = 1;
    int log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    QByteArray file;
    appendBig(file, 0x00010000, 4);
    appendBig(file, count, 2);
    appendBig(file, power * 16, 2);
    appendBig(file, quint32(log), 2);
    appendBig(file, count * 16 - power * 16, 2);
    quint32 offset = 12 + count * 16;
    for (const auto& [tag, table] : tables) {
        file.append(tag, 4);
        appendBig(file, checksum(table), 4);
        appendBig(file, offset, 4);
        appendBig(file, quint32(table.size()), 4);
        offset += quint32((table.size() + 3) / 4 * 4);
    }
    for (const auto& [tag, table] : tables) {
        file.append(table);
        file.append(QByteArray((4 - table.size() % 4) % 4, '\0'));
    }
    return file;
}

QByteArray PdfFont::widths() const
{
    QByteArray widths;
    for (const auto& [glyph, letter] : m_used) {
        const QList<QPointF> advance =
            m_font.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
        widths += QByteArray::number(glyph) + " [" + QByteArray::number(qRound(advance.value(0).x())) + "] ";
    }
    return widths;
}

QByteArray PdfFont::letters() const
{
    QByteArray map = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
                     "1 begincodespacerange <0000> <FFFF> endcodespacerange\n";
    std::vector<QByteArray> entries;
    for (const auto& [glyph, letter] : m_used) {
        if (letter == 0)
            continue;
        const QString text = QString::fromUcs4(&letter, 1);
        QByteArray units;
        for (const QChar ch : text)
            units += hex4(ch.unicode());
        entries.push_back('<' + hex4(glyph) + "> <" + units + ">\n");
    }
    // A block holds at most a hundred entries.
    for (size_t at = 0; at < entries.size(); at += 100) {
        const size_t end = std::min(entries.size(), at + 100);
        map += QByteArray::number(qsizetype(end - at)) + " beginbfchar\n";
        for (size_t i = at; i < end; ++i)
            map += entries[i];
        map += "endbfchar\n";
    }
    return map + "endcmap CMapName currentdict /CMap defineresource pop end end\n";
}

QByteArray PdfFont::baseName() const
{
    QByteArray name = (m_font.familyName() + u'-' + m_font.styleName()).toLatin1();
    name.replace(' ', QByteArray());
    return name;
}

void PdfFont::write(PdfDocument& document) const
{
    const int descendant = document.reserve();
    const int descriptor = document.reserve();
    const int file = document.reserve();
    const int toUnicode = document.reserve();
    const QByteArray base = '/' + baseName();
    const QByteArray ascent = QByteArray::number(qRound(m_font.ascent()));
    document.writeObject(m_objectNumber, "<< /Type /Font /Subtype /Type0 /BaseFont " + base +
                                             " /Encoding /Identity-H /DescendantFonts [" +
                                             QByteArray::number(descendant) + " 0 R] /ToUnicode " +
                                             QByteArray::number(toUnicode) + " 0 R >>");
    document.writeObject(descendant,
                         "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + base +
                             " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 "
                             ">> /FontDescriptor " +
                             QByteArray::number(descriptor) + " 0 R /CIDToGIDMap /Identity /W [" + widths() +
                             "] >>");
    document.writeObject(descriptor,
                         "<< /Type /FontDescriptor /FontName " + base +
                             " /Flags 32 /FontBBox [-1000 -500 2500 1500] /ItalicAngle 0 /Ascent " + ascent +
                             " /Descent -" + QByteArray::number(qRound(m_font.descent())) + " /CapHeight " +
                             ascent + " /StemV 80 /FontFile2 " + QByteArray::number(file) + " 0 R >>");
    const QByteArray data = fontFile();
    document.writeStream(file, "/Length1 " + QByteArray::number(data.size()), data);
    document.writeStream(toUnicode, QByteArray(), letters());
}

} // namespace zeb
