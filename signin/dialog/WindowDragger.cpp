#include "signin/dialog/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace zeb {

WindowDragger::WindowDragger(QWidget& window) : QObject(&window), m_window(window) {}

void WindowDragger::watch(QWidget& part)
{
    part.installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        QWindow* handle = m_window.windowHandle();
        if (handle && handle->startSystemMove())
            m_grabOffset.reset();
        else
            m_grabOffset = mouse->globalPosition().toPoint() - m_window.pos();
        return true;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_grabOffset || !(mouse->buttons() & Qt::LeftButton))
            return false;
        m_window.move(mouse->globalPosition().toPoint() - *m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_grabOffset.reset();
        return false;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zeb
