#include "dialogs/ScreenPlace.h"

#include <QScreen>
#include <QWidget>

namespace zeb {

void keepOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    QRect placed = frame;
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    if (placed.left() < available.left())
        placed.moveLeft(available.left());
    if (placed.top() < available.top())
        placed.moveTop(available.top());
    if (placed.topLeft() != frame.topLeft())
        window.move(placed.topLeft());
}

} // namespace zeb
