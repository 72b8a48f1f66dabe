#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;

namespace zeb {

// Where a pop-up of `size` opens for a control covering `anchor` (both in screen coordinates) on a screen
// whose free area is `available`: under the control, or over it when there is no room under it, moved
// sideways and up or down as far as needed to lie wholly inside the free area.
QPoint popupPosition(const QRect& anchor, const QSize& size, const QRect& available);

// A month calendar in a pop-up window that belongs to a date control; it opens wholly on the screen.
class CalendarPopup : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarPopup(QWidget* anchor);

    QCalendarWidget* calendar() const { return m_calendar; }
    // Opens at the anchor with `selected` chosen (today when invalid) and gives the calendar the focus.
    void open(QDate selected);

Q_SIGNALS:
    // A day was clicked or chosen with Enter; the pop-up has closed.
    void picked(QDate date);

private:
    void pick(QDate date);

    QWidget* m_anchor;
    QCalendarWidget* m_calendar;
};

} // namespace zeb
