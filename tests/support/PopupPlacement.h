#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace zeb {

// What is wrong with where a drop-down opened: off the screen, or over the field it belongs to; empty when
// it is placed well.
inline QString popupPlacementFault(const QWidget& popup, const QRect& screen, const QWidget& field)
{
    const QRect placed = popup.frameGeometry();
    const auto shown = [&] {
        return QStringLiteral("%1,%2 %3x%4")
            .arg(placed.x())
            .arg(placed.y())
            .arg(placed.width())
            .arg(placed.height());
    };
    if (!screen.contains(placed))
        return QStringLiteral("off the screen: %1").arg(shown());
    if (placed.intersects(QRect(field.mapToGlobal(QPoint()), field.size())))
        return QStringLiteral("over its field: %1").arg(shown());
    return QString();
}

} // namespace zeb
