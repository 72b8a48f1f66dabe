#pragma once

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;
class QToolButton;

namespace zeb {

class CalendarPopup;

// A date cell's editor: the text dd.MM.yyyy (empty allowed) and a button that opens a calendar.
class DateCellEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateCellEditor(QWidget* parent = nullptr);

    // Sets the text and remembers it as the cell's text before the edit.
    void setCellText(const QString& text);
    bool textChanged() const { return text() != m_originalText; }
    // The date last picked from the calendar while the text still shows it; invalid otherwise.
    QDate pickedDate() const;

    QToolButton* calendarButton() const { return m_button; }
    QCalendarWidget* calendar() const;
    void showCalendar();

Q_SIGNALS:
    // The user picked a date from the calendar.
    void picked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void pick(QDate date);

    QToolButton* m_button;
    CalendarPopup* m_popup;
    QString m_originalText;
    QDate m_picked;
};

} // namespace zeb
