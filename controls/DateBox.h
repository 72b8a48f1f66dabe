#pragma once

#include <QDate>
#include <QLineEdit>

class QToolButton;

namespace zeb {

class CalendarPopup;

// A date chosen by typing it (dd.mm.yyyy; "," and "/" separate as well as ".") or from a calendar that
// F4, Alt+Down or the button opens. Entering the box selects its text, so typing starts a new date; a date
// typed in full is taken as typed the moment it is complete. Leaving the box or Enter with anything else
// puts the date in effect back.
class DateBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateBox(QDate date, QWidget* parent = nullptr);

    QDate date() const { return m_date; }
    void setDate(QDate date);

    QToolButton* calendarButton() const { return m_button; }
    CalendarPopup* calendarPopup();
    void showCalendar();

Q_SIGNALS:
    void dateChanged(QDate date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeTyped();
    void finishTyping();

    QToolButton* m_button;
    CalendarPopup* m_popup = nullptr;
    QDate m_date;
    bool m_selectOnRelease = false;
};

} // namespace zeb
