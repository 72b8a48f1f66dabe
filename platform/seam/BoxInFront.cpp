#include "platform/seam/BoxInFront.h"

#include "platform/seam/KeyboardReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QWindow>

namespace zeb::BoxInFront {

namespace {

// What the user does to a window with the mouse or the window's frame; keys are not among them.
bool isPointerOrClose(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

bool isWindowOfItsOwn(const QObject* receiver)
{
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    return widget && widget->isWindow() && widget->windowType() != Qt::Popup &&
           widget->windowType() != Qt::ToolTip;
}

class Guard : public QObject
{
public:
    struct Running
    {
        QPointer<QDialog> box;
        QEventLoop* loop = nullptr;
    };

    static Guard& instance()
    {
        static QPointer<Guard> guard;
        if (!guard)
            guard = new Guard(qApp);
        return *guard;
    }

    void push(QDialog& box, QEventLoop& loop)
    {
        if (m_running.isEmpty())
            qApp->installEventFilter(this);
        m_running.append({&box, &loop});
    }

    void pop()
    {
        m_running.removeLast();
        if (m_running.isEmpty())
            qApp->removeEventFilter(this);
    }

    QDialog* front() const { return m_running.isEmpty() ? nullptr : m_running.last().box.data(); }

    QList<QPointer<QDialog>> boxes() const
    {
        QList<QPointer<QDialog>> boxes;
        for (const Running& running : m_running)
            boxes.prepend(running.box);
        return boxes;
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            endRunOf(receiver);
        QDialog* box = front();
        if (!box || !box->isVisible() || belongsTo(receiver, box))
            return false;
        if (event->type() == QEvent::WindowActivate && isWindowOfItsOwn(receiver)) {
            box->activateWindow();
            return false;
        }
        if (!event->spontaneous() || !isPointerOrClose(event->type()))
            return false;
        // A window refusing to close says so by ignoring the request.
        event->setAccepted(event->type() != QEvent::Close);
        return true;
    }

private:
    using QObject::QObject;

    // However the box went (answered, closed, hidden with its window), its run is over.
    void endRunOf(const QObject* receiver)
    {
        for (const Running& running : std::as_const(m_running)) {
            if (running.box == receiver)
                running.loop->exit();
        }
    }

    QList<Running> m_running;
};

} // namespace

int run(QDialog& box)
{
    Guard& guard = Guard::instance();
    QEventLoop loop;
    guard.push(box, loop);
    box.setWindowModality(Qt::NonModal);
    box.show();
    box.raise();
    box.activateWindow();
    if (box.isVisible())
        loop.exec();
    guard.pop();
    box.hide();
    handKeyboardBack(box);
    return box.result();
}

QWidget* current()
{
    QDialog* box = Guard::instance().front();
    return box && box->isVisible() ? box : nullptr;
}

bool belongsTo(const QObject* receiver, const QWidget* box)
{
    if (!box || !receiver)
        return false;
    if (receiver->isWindowType())
        return receiver == box->windowHandle();
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    return widget && widget->window() == box;
}

void rejectAll()
{
    for (const QPointer<QDialog>& box : Guard::instance().boxes()) {
        if (box)
            box->done(QDialog::Rejected);
    }
}

} // namespace zeb::BoxInFront
