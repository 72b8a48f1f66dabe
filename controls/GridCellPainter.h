#pragma once

#include <QCache>
#include <QFont>
#include <QPixmap>
#include <QStaticText>

class QPainter;
class QStyle;
class QStyleOptionViewItem;

namespace zeb {

// Paints cell texts and drop-down buttons as the style lays them out, without laying them out again on
// every paint: a text is shaped (and elided) once per width and reused from then on, the button is drawn
// once into a pixmap.
class GridCellPainter
{
public:
    // Paints `text` into `cell` in the option's font, with the current pen. False when the text needs the
    // style's own layout (it breaks into lines); nothing is painted then.
    bool paintText(QPainter* painter, const QStyleOptionViewItem& option, const QRect& cell,
                   const QString& text, Qt::Alignment alignment, Qt::TextElideMode elide);
    void paintDropDownButton(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect);
    // The lines below and right of the cell, in the view's grid colour.
    void paintGridLines(QPainter* painter, const QStyleOptionViewItem& option);

private:
    struct Key
    {
        QString text;
        int width;
        int alignment;
        int elide;
        int direction;

        bool operator==(const Key& other) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.width, key.alignment, key.elide, key.direction);
        }
    };

    struct Laid
    {
        QStaticText text;
        int lineHeight = 0;
        // Reaches out of its width, so the cell clips it.
        bool overflows = false;
        bool breaksLines = false;
    };

    // What a drawing of the style depends on.
    struct Look
    {
        qint64 palette = 0;
        int group = -1;
        const QStyle* style = nullptr;

        bool operator==(const Look& other) const = default;
    };

    const Laid& laid(const Key& key, const QFont& font);
    const QPixmap& dropDownButton(const QStyleOptionViewItem& option, QSize size, qreal ratio);

    QFont m_font;
    QCache<Key, Laid> m_texts{4000};

    QPixmap m_button;
    Look m_buttonLook;
    QColor m_gridColor;
    Look m_gridLook;
};

} // namespace zeb
