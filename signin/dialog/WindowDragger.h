#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

namespace zeb {

// Lets a window without a title bar be moved by pressing the left button on some of its parts: the window
// manager takes the drag over as if the press had been on a title bar. Where it cannot, the window follows
// the mouse until the button is released.
class WindowDragger : public QObject
{
    Q_OBJECT

public:
    explicit WindowDragger(QWidget& window);

    void watch(QWidget& part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::optional<QPoint> m_grabOffset;
};

} // namespace zeb
