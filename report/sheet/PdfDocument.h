#pragma once

#include "report/sheet/Deflater.h"
#include "report/sheet/PdfFont.h"

#include <QByteArray>
#include <QSizeF>
#include <memory>
#include <vector>

class QIODevice;
class QRawFont;

namespace zeb {

// A PDF file written as it goes: each page as soon as it is finished, then the fonts, the page tree and
// the cross-reference table. Pages share one size, in points.
class PdfDocument
{
public:
    PdfDocument(QIODevice& out, const QSizeF& page, const QString& title);

    const QSizeF& pageSize() const { return m_page; }
    // The font's resource name on the pages ("F0"); the font is embedded when the document ends.
    QByteArray fontName(const QRawFont& font);
    PdfFont& font(const QRawFont& font);
    // A page with `content` as its drawing operators.
    void addPage(const QByteArray& content);
    void finish();

    // Numbers an object to be written later.
    int reserve();
    // An object `body` ("<< … >>") under its number.
    void writeObject(int number, const QByteArray& body);
    // A stream object with the entries of `dictionary` (without its brackets), compressed.
    void writeStream(int number, const QByteArray& dictionary, const QByteArray& data);

private:
    void write(QByteArrayView bytes);
    QByteArray fontResources() const;

    QIODevice& m_out;
    QSizeF m_page;
    QString m_title;
    qint64 m_written = 0;
    std::vector<qint64> m_offsets;
    std::vector<int> m_pages;
    std::vector<std::unique_ptr<PdfFont>> m_fonts;
    int m_pageTree;
    Deflater m_deflater;
};

} // namespace zeb
