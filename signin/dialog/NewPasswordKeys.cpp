#include "NewPasswordKeys.h"

#include <QKeyEvent>
#include <algorithm>

namespace zeb {

namespace {

bool isNewPasswordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_' ||
           u == u'\b';
}

} // namespace

bool acceptsNewPasswordKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    const QString text = event.text();
    return std::all_of(text.begin(), text.end(), isNewPasswordCharacter);
}

} // namespace zeb
