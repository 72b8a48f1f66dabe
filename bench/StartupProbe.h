#pragma once

#include <QEvent>
#include <QObject>
#include <cstdlib>

// Ends the process the moment a window of the named class is shown: what the start-up benchmark times is
// process start to that window on screen.
class ShownWindowProbe : public QObject
{
public:
    explicit ShownWindowProbe(const char* className) : m_className(className) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qstrcmp(watched->metaObject()->className(), m_className) == 0)
            std::_Exit(0);
        return false;
    }

private:
    const char* m_className;
};
