#include "controls/DrawnIcons.h"

#include <QPainter>
#include <functional>

namespace zeb {

namespace {

QIcon drawnIcon(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QPen strokePen(const QColor& colour)
{
    return QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor ink(40, 40, 40);

} // namespace

QIcon plusSign()
{
    return drawnIcon([](QPainter& painter) {
        painter.setPen(strokePen(ink));
        painter.drawLine(QPointF(8, 3), QPointF(8, 13));
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
    });
}

QIcon minusSign()
{
    return drawnIcon([](QPainter& painter) {
        painter.setPen(strokePen(ink));
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
    });
}

QIcon upTriangle()
{
    return drawnIcon([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPolygon(QPolygonF({QPointF(8, 3.5), QPointF(13, 11.5), QPointF(3, 11.5)}));
    });
}

QIcon checkMark()
{
    return drawnIcon([](QPainter& painter) {
        painter.setPen(strokePen(QColor(0, 128, 0)));
        painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    });
}

QIcon cross()
{
    return drawnIcon([](QPainter& painter) {
        painter.setPen(strokePen(QColor(192, 0, 0)));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

} // namespace zeb
