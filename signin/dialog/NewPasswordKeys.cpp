#include "signin/dialog/NewPasswordKeys.h"

#include "signin/NewPasswordRule.h"

#include <QKeyEvent>
#include <algorithm>

namespace zeb {

namespace {

bool isTypedIntoNewPassword(QChar c)
{
    return c == u'\b' || isNewPasswordCharacter(c);
}

} // namespace

bool acceptsNewPasswordKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const QString text = event.text();
    return std::all_of(text.begin(), text.end(), isTypedIntoNewPassword);
}

} // namespace zeb
