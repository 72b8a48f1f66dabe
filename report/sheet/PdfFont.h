#pragma once

#include <QByteArray>
#include <QRawFont>
#include <map>

namespace zeb {

class PdfDocument;

// A typeface embedded whole in a PDF file as a TrueType font addressed by glyph, with the widths and the
// letters of the glyphs drawn, so that readers place, find and copy the text as it was laid out.
class PdfFont
{
public:
    PdfFont(const QRawFont& font, int objectNumber, const QByteArray& name);

    bool matches(const QRawFont& font) const;
    int objectNumber() const { return m_objectNumber; }
    const QByteArray& name() const { return m_name; }
    // A glyph drawn for `letter` (0 when unknown).
    void use(quint32 glyph, char32_t letter);
    // The font's objects, under the number given at first and further ones.
    void write(PdfDocument& document) const;

private:
    QByteArray fontFile() const;
    QByteArray widths() const;
    QByteArray letters() const;
    QByteArray baseName() const;

    QRawFont m_font;
    int m_objectNumber;
    QByteArray m_name;
    std::map<quint32, char32_t> m_used;
};

} // namespace zeb
