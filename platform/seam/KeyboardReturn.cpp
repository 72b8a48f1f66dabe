#include "platform/seam/KeyboardReturn.h"

#include <QApplication>
#include <QWidget>

namespace zeb {

void handKeyboardBack(const QWidget& closed)
{
    const QWidget* parent = closed.parentWidget();
    if (!parent)
        return;
    QWidget* window = parent->window();
    const QWidget* active = QApplication::activeWindow();
    if (window->isVisible() && (!active || active == &closed))
        window->activateWindow();
}

} // namespace zeb
