#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace zeb {

// One of the main window's unit boxes as the save rule reads it.
struct UnitBox
{
    // The schedule field the box's key goes to.
    QString fieldName;
    QString shownText;
    QVariant key;
};

enum class NoticeIcon
{
    Warning,
    Error,
};

// What the schedule line rules read from, and show through, the main window.
class ScheduleLineContext
{
public:
    virtual ~ScheduleLineContext() = default;

    virtual QString sessionLogin() const = 0;
    virtual bool applyLineDefaults() const = 0;
    // In the save rule's order: level-1 division, level-2 division, faculty, department, sub-level.
    virtual QList<UnitBox> unitBoxes() const = 0;
    // Bookmarks of the rows selected in the grid, in the grid's order.
    virtual QList<QByteArray> selectedRows() const = 0;
    virtual QDateTime now() const = 0;
    // A message box with an OK button.
    virtual void showNotice(const QString& text, const QString& caption, NoticeIcon icon) = 0;
    // Makes the grid's entry kind column ("Ввести") the current column.
    virtual void focusEntryKindColumn() = 0;
};

} // namespace zeb
