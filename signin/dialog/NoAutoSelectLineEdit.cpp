#include "signin/dialog/NoAutoSelectLineEdit.h"

namespace zeb {

void NoAutoSelectLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    deselect();
}

} // namespace zeb
