#pragma once

#include "report/sheet/SheetInk.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <vector>

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
    void draw(SheetInk& ink, const QRectF& rect, Qt::Alignment alignment, const QString& text) const;

private:
    // Most texts are of letters the font has, in scripts that neither join nor reorder them: their glyphs
    // are looked up directly, which costs far less than shaping. False for a text that needs shaping.
    bool lookUpGlyphs(QStringView text) const;
    qreal lookedUpWidth() const;
    // One line of looked-up glyphs at `top`, aligned within `left` and `right`.
    void addLookedUp(SheetInk& ink, qreal left, qreal right, qreal top, Qt::Alignment alignment,
                     QStringView text) const;
    // A line that needs shaping, by the glyphs the layout chooses (from other fonts too).
    void addShaped(SheetInk& ink, const QRectF& rect, Qt::Alignment alignment, const QString& line) const;
    // Where `text` breaks into lines at `width`: each line's start and length. Remembered, since the same
    // texts (posts, headings) come again and again and each is measured before it is drawn.
    const QList<std::pair<int, int>>& breaks(const QString& text, qreal width) const;

    QPaintDevice& m_device;
    QFont m_font;
    QFontMetricsF m_metrics;
    QRawFont m_raw;
    mutable std::vector<quint32> m_glyphs;
    mutable std::vector<QPointF> m_advances;
    mutable QHash<std::pair<QString, qreal>, QList<std::pair<int, int>>> m_breaks;
};

} // namespace zeb
