#include "controls/DateBox.h"

#include "controls/CalendarPopup.h"
#include "controls/TypedDate.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace zeb {

namespace {

const QString dateFormat = QStringLiteral("dd.MM.yyyy");

} // namespace

DateBox::DateBox(QDate date, QWidget* parent)
    : QLineEdit(parent), m_button(new QToolButton(this)), m_date(date)
{
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("Календарь (F4)"));
    // Digits and separators only, no longer than a date written in full.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,8}|\\d{0,2}[.,/]\\d{0,2}([.,/]\\d{0,4})?")), this));
    setPlaceholderText(QStringLiteral("дд.мм.гггг"));
    setText(m_date.toString(dateFormat));
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 2 * sizeHint().height());
    connect(this, &QLineEdit::textEdited, this, &DateBox::takeTyped);
    connect(this, &QLineEdit::returnPressed, this, &DateBox::finishTyping);
    connect(m_button, &QToolButton::clicked, this, &DateBox::showCalendar);
}

CalendarPopup* DateBox::calendarPopup()
{
    // Made when first wanted: a month calendar is among the dearest widgets to build, and most date boxes
    // are typed into.
    if (!m_popup) {
        m_popup = new CalendarPopup(this);
        connect(m_popup, &CalendarPopup::picked, this, [this](QDate picked) {
            setDate(picked);
            setFocus(Qt::PopupFocusReason);
        });
    }
    return m_popup;
}

void DateBox::setDate(QDate date)
{
    setText(date.toString(dateFormat));
    if (date == m_date)
        return;
    m_date = date;
    Q_EMIT dateChanged(date);
}

void DateBox::showCalendar()
{
    if (isEnabled())
        calendarPopup()->open(m_date);
}

void DateBox::takeTyped()
{
    const QDate typed = typedDate(text());
    if (typed.isValid() && typed != m_date) {
        m_date = typed;
        Q_EMIT dateChanged(typed);
    }
}

// The text shows the date in effect again, written in full.
void DateBox::finishTyping()
{
    setText(m_date.toString(dateFormat));
}

void DateBox::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Whatever brings the focus here, typing starts a new date: the text is selected.
void DateBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        m_selectOnRelease = true;
    else if (event->reason() != Qt::PopupFocusReason)
        selectAll();
}

void DateBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (std::exchange(m_selectOnRelease, false) && !hasSelectedText())
        selectAll();
}

void DateBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        finishTyping();
}

void DateBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    setTextMargins(0, 0, side, 0);
}

} // namespace zeb
