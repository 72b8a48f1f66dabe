#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPainter;
class QPaintDevice;
class QRectF;

namespace zeb {

// A text in a font, wrapped to a width: at word boundaries, inside a word only when the word is wider
// than the line, so nothing is cut off.
class WrappedText
{
public:
    WrappedText(QPaintDevice& device, const QFont& font);

    const QFont& font() const { return m_font; }
    qreal lineHeight() const { return m_metrics.lineSpacing(); }
    // How many lines `text` takes at `width`; an empty text takes none.
    int lineCount(const QString& text, qreal width) const;
    // Draws `text` from the top of `rect`, each line aligned by `alignment` (left, right or centre).
    void draw(QPainter& painter, const QRectF& rect, Qt::Alignment alignment, const QString& text) const;

private:
    bool fitsOneLine(const QString& text, qreal width) const;

    QPaintDevice& m_device;
    QFont m_font;
    QFontMetricsF m_metrics;
};

} // namespace zeb
