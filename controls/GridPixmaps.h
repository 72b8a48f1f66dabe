#pragma once

#include <QCache>
#include <QFont>
#include <QPixmap>
#include <functional>

class QPainter;
class QPalette;

namespace zeb {

// Pieces of the grid's frame drawn the same on every paint (title cells, row buttons), kept as pixmaps
// for the widget's current palette and font.
class GridPixmaps
{
public:
    using Draw = std::function<void(QPainter&, const QRect&)>;

    // Draws the piece named `name` at `rect`: from the pixmap when there is one for this size and look,
    // otherwise through `draw` into a new one.
    void paint(QPainter* painter, const QRect& rect, const QString& name, const QWidget& widget,
               const Draw& draw);

private:
    struct Look
    {
        qint64 palette = 0;
        int group = -1;
        qreal ratio = 0;
        QFont font;

        bool operator==(const Look& other) const = default;
    };

    Look m_look;
    QCache<QString, QPixmap> m_pixmaps{1 << 18};
};

} // namespace zeb
