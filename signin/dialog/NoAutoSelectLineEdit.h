#pragma once

#include <QLineEdit>

namespace zeb {

// A line edit that keeps its text unselected when it gets the focus, also by Tab.
class NoAutoSelectLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace zeb
