#include "report/sheet/PdfDocument.h"

#include <QIODevice>

namespace zeb {

namespace {

QByteArray number(qreal value)
{
    return QByteArray::number(value, 'f', 2);
}

// A text string in the file's own encoding: UTF-16 with its byte order mark, in hexadecimal.
QByteArray textString(const QString& text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar ch : text) {
        bytes.append(char(ch.unicode() >> 8));
        bytes.append(char(ch.unicode() & 0xFF));
    }
    return '<' + bytes.toHex() + '>';
}

} // namespace

PdfDocument::PdfDocument(QIODevice& out, const QSizeF& page, const QString& title)
    : m_out(out), m_page(page), m_title(title)
{
    // The binary comment tells transfer programs the file is not text.
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    m_pageTree = reserve();
}

int PdfDocument::reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size());
}

void PdfDocument::write(QByteArrayView bytes)
{
    m_written += m_out.write(bytes.data(), bytes.size());
}

void PdfDocument::writeObject(int number, const QByteArray& body)
{
    m_offsets[size_t(number - 1)] = m_written;
    write(QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n");
}

void PdfDocument::writeStream(int number, const QByteArray& dictionary, const QByteArray& data)
{
    const QByteArrayView compressed = m_deflater.compress(data);
    m_offsets[size_t(number - 1)] = m_written;
    write(QByteArray::number(number) + " 0 obj\n<< " + dictionary + " /Filter /FlateDecode /Length " +
          QByteArray::number(compressed.size()) + " >>\nstream\n");
    write(compressed);
    write("\nendstream\nendobj\n");
}

PdfFont& PdfDocument::font(const QRawFont& font)
{
    for (const std::unique_ptr<PdfFont>& known : m_fonts) {
        if (known->matches(font))
            return *known;
    }
    m_fonts.push_back(std::make_unique<PdfFont>(font, reserve(), "F" + QByteArray::number(m_fonts.size())));
    return *m_fonts.back();
}

QByteArray PdfDocument::fontName(const QRawFont& font)
{
    return this->font(font).name();
}

QByteArray PdfDocument::fontResources() const
{
    QByteArray fonts;
    for (const std::unique_ptr<PdfFont>& font : m_fonts)
        fonts += " /" + font->name() + ' ' + QByteArray::number(font->objectNumber()) + " 0 R";
    return "<< /Font <<" + fonts + " >> >>";
}

void PdfDocument::addPage(const QByteArray& content)
{
    const int contents = reserve();
    writeStream(contents, QByteArray(), content);
    const int page = reserve();
    writeObject(page, "<< /Type /Page /Parent " + QByteArray::number(m_pageTree) + " 0 R /MediaBox [0 0 " +
                          number(m_page.width()) + ' ' + number(m_page.height()) + "] /Resources " +
                          fontResources() + " /Contents " + QByteArray::number(contents) + " 0 R >>");
    m_pages.push_back(page);
}

void PdfDocument::finish()
{
    for (const std::unique_ptr<PdfFont>& font : m_fonts)
        font->write(*this);
    QByteArray kids;
    for (int page : m_pages)
        kids += QByteArray::number(page) + " 0 R ";
    writeObject(m_pageTree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                                QByteArray::number(qsizetype(m_pages.size())) + " >>");
    const int catalog = reserve();
    writeObject(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(m_pageTree) + " 0 R >>");
    const int info = reserve();
    writeObject(info, "<< /Title " + textString(m_title) + " /Creator " +
                          textString(QStringLiteral("ZEB 7")) + " >>");
    const qint64 table = m_written;
    QByteArray xref =
        "xref\n0 " + QByteArray::number(qsizetype(m_offsets.size() + 1)) + "\n0000000000 65535 f \n";
    for (qint64 offset : m_offsets)
        xref += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    write(xref);
    write("trailer\n<< /Size " + QByteArray::number(qsizetype(m_offsets.size() + 1)) + " /Root " +
          QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n" +
          QByteArray::number(table) + "\n%%EOF\n");
}

} // namespace zeb
