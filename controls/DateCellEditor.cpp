#include "controls/DateCellEditor.h"

#include "controls/CalendarPopup.h"

#include <QToolButton>

namespace zeb {

namespace {

const QString dateFormat = QStringLiteral("dd.MM.yyyy");

} // namespace

DateCellEditor::DateCellEditor(QWidget* parent)
    : QLineEdit(parent), m_button(new QToolButton(this)), m_popup(new CalendarPopup(this))
{
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QToolButton::clicked, this, &DateCellEditor::showCalendar);
    connect(m_popup, &CalendarPopup::picked, this, &DateCellEditor::pick);
}

QCalendarWidget* DateCellEditor::calendar() const
{
    return m_popup->calendar();
}

void DateCellEditor::setCellText(const QString& text)
{
    m_originalText = text.left(dateFormat.size());
    setText(m_originalText);
    m_picked = {};
}

QDate DateCellEditor::pickedDate() const
{
    return m_picked.isValid() && text() == m_picked.toString(dateFormat) ? m_picked : QDate();
}

void DateCellEditor::showCalendar()
{
    m_popup->open(QDate::fromString(text(), dateFormat));
}

void DateCellEditor::pick(QDate date)
{
    m_picked = date;
    setText(date.toString(dateFormat));
    setFocus();
    Q_EMIT picked();
}

void DateCellEditor::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    setTextMargins(0, 0, side, 0);
}

} // namespace zeb
