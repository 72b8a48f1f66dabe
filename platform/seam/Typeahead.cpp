#include "platform/seam/Typeahead.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <memory>
#include <utility>

namespace zeb {

namespace {

bool isClick(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::Wheel;
}

// A key the box in front handles itself: answering, moving between its buttons, shortcuts.
bool boxUses(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QString text = key.text();
    return text.isEmpty() || !text.at(0).isPrint() || text == QLatin1String(" ");
}

// The widget or window the event is delivered to belongs to the modal box in front.
bool inBoxInFront(QObject* receiver)
{
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible())
        return false;
    if (receiver->isWindowType())
        return receiver == static_cast<QObject*>(box->windowHandle());
    auto* widget = qobject_cast<QWidget*>(receiver);
    return widget && widget->window() == box;
}

class Keeper : public QObject
{
public:
    using QObject::QObject;

    static Keeper& instance()
    {
        static QPointer<Keeper> keeper;
        if (!keeper)
            keeper = new Keeper(qApp);
        return *keeper;
    }

    void begin(QWidget* owner)
    {
        if (m_holds++ == 0 && m_kept.empty())
            m_window = owner ? owner->window() : QApplication::activeWindow();
        install();
    }

    // With nothing kept, keys go their way again at once; with something kept, later keys queue behind it.
    void end()
    {
        if (--m_holds > 0)
            return;
        if (m_kept.empty())
            uninstall();
        else
            postReplay();
    }

    bool holding() const { return m_holds > 0; }

    void keepPendingKeys()
    {
        const QScopedValueRollback draining(m_draining, true);
        QCoreApplication::processEvents();
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        // Only the user's keys: those the program sends on (a key handed to an editor, a replaced
        // character, a kept key given back) pass.
        if (event->type() == QEvent::KeyPress && event->spontaneous()) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (m_holds > 0 && inBoxInFront(receiver) && boxUses(*key))
                return false;
            m_kept.push_back(std::make_unique<QKeyEvent>(key->type(), key->key(), key->modifiers(),
                                                         key->text(), key->isAutoRepeat(), key->count()));
            return true;
        }
        return m_draining && isClick(event->type());
    }

    void customEvent(QEvent*) override
    {
        m_replayPosted = false;
        replay();
    }

private:
    // Later, from the event loop: never in the middle of what the answer goes back to.
    void postReplay()
    {
        if (std::exchange(m_replayPosted, true))
            return;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

    void install()
    {
        if (m_installed)
            return;
        qApp->installEventFilter(this);
        m_installed = true;
    }

    // Where the keyboard goes now: the focused control, or, while the window system has not given the
    // program's window its activation back yet, the control that has the focus within that window.
    QWidget* keyboardTarget() const
    {
        if (QWidget* focused = QApplication::focusWidget())
            return focused;
        if (!m_window)
            return nullptr;
        QWidget* focused = m_window->focusWidget();
        return focused ? focused : m_window.data();
    }

    // Each key goes where the keyboard goes when its turn comes: the keys before it may have moved it.
    // With no window left to take them, the keys have nowhere to go.
    void replay()
    {
        while (m_holds == 0 && !m_kept.empty()) {
            QWidget* target = keyboardTarget();
            if (!target) {
                m_kept.clear();
                break;
            }
            const std::unique_ptr<QKeyEvent> key = std::move(m_kept.front());
            m_kept.pop_front();
            QCoreApplication::sendEvent(target, key.get());
        }
        if (m_holds == 0 && m_kept.empty())
            uninstall();
    }

    void uninstall()
    {
        if (!m_installed)
            return;
        qApp->removeEventFilter(this);
        m_installed = false;
    }

    int m_holds = 0;
    bool m_installed = false;
    bool m_draining = false;
    bool m_replayPosted = false;
    std::deque<std::unique_ptr<QKeyEvent>> m_kept;
    // The window at work when the keys began to be kept.
    QPointer<QWidget> m_window;
};

} // namespace

TypeaheadHold::TypeaheadHold(QWidget* owner)
{
    Keeper::instance().begin(owner);
}

TypeaheadHold::~TypeaheadHold()
{
    Keeper::instance().end();
}

void TypeaheadHold::keepPendingKeys()
{
    Q_ASSERT(Keeper::instance().holding());
    Keeper::instance().keepPendingKeys();
}

} // namespace zeb
