#include "controls/GridPixmaps.h"

#include <QPainter>
#include <QWidget>

namespace zeb {

void GridPixmaps::paint(QPainter* painter, const QRect& rect, const QString& name, const QWidget& widget,
                        const Draw& draw)
{
    const qreal ratio = painter->device()->devicePixelRatio();
    const Look look{widget.palette().cacheKey(), widget.palette().currentColorGroup(), ratio, widget.font()};
    if (!(look == m_look)) {
        m_pixmaps.clear();
        m_look = look;
    }
    const QString key = name + QLatin1Char('/') + QString::number(rect.width()) + QLatin1Char('x') +
                        QString::number(rect.height());
    if (const QPixmap* pixmap = m_pixmaps.object(key)) {
        painter->drawPixmap(rect.topLeft(), *pixmap);
        return;
    }
    auto* pixmap = new QPixmap(rect.size() * ratio);
    pixmap->setDevicePixelRatio(ratio);
    pixmap->fill(widget.palette().color(QPalette::Button));
    {
        QPainter into(pixmap);
        into.setFont(painter->font());
        draw(into, QRect(QPoint(0, 0), rect.size()));
    }
    painter->drawPixmap(rect.topLeft(), *pixmap);
    m_pixmaps.insert(key, pixmap, rect.width() * rect.height());
}

} // namespace zeb
