#include "DateCellEditor.h"

#include <QCalendarWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zeb {

namespace {

const QString dateFormat = QStringLiteral("dd.MM.yyyy");

} // namespace

DateCellEditor::DateCellEditor(QWidget* parent)
    : QLineEdit(parent), m_button(new QToolButton(this)), m_popup(new QWidget(this, Qt::Popup)),
      m_calendar(new QCalendarWidget(m_popup))
{
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    connect(m_button, &QToolButton::clicked, this, &DateCellEditor::showCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DateCellEditor::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &DateCellEditor::pick);
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
    const QDate shown = QDate::fromString(text(), dateFormat);
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void DateCellEditor::pick(QDate date)
{
    m_popup->hide();
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
