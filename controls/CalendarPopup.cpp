#include "controls/CalendarPopup.h"

#include <QCalendarWidget>
#include <QScreen>
#include <QVBoxLayout>

namespace zeb {

QPoint popupPosition(const QRect& anchor, const QSize& size, const QRect& available)
{
    int y = anchor.bottom() + 1;
    if (y + size.height() > available.bottom() + 1 && anchor.top() - size.height() >= available.top())
        y = anchor.top() - size.height();
    const int x = qMax(available.left(), qMin(anchor.left(), available.right() + 1 - size.width()));
    y = qMax(available.top(), qMin(y, available.bottom() + 1 - size.height()));
    return {x, y};
}

CalendarPopup::CalendarPopup(QWidget* anchor)
    : QWidget(anchor, Qt::Popup), m_anchor(anchor), m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("calendarPopup"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &CalendarPopup::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &CalendarPopup::pick);
}

void CalendarPopup::open(QDate selected)
{
    m_calendar->setSelectedDate(selected.isValid() ? selected : QDate::currentDate());
    ensurePolished();
    adjustSize();
    const QRect anchor(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size());
    QScreen* screen = m_anchor->screen();
    const QRect available = screen ? screen->availableGeometry() : anchor;
    move(popupPosition(anchor, size(), available));
    show();
    // Placed again by what the window system made of it: a frame it added counts as well.
    const QRect frame = frameGeometry();
    const QPoint wanted = popupPosition(anchor, frame.size(), available);
    if (frame.topLeft() != wanted)
        move(pos() + wanted - frame.topLeft());
    m_calendar->setFocus();
}

void CalendarPopup::pick(QDate date)
{
    hide();
    Q_EMIT picked(date);
}

} // namespace zeb
