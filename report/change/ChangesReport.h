#pragma once

#include "report/history/LineChanges.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zeb {

class Connection;

// Staff units over a period, in hundredths, exact: those in force at its start (the end of the day before
// it), those entered and withdrawn by orders dated in it, the change of lines changed in it, and those in
// force at its end. start + entered − withdrawn + changed = end.
struct ChangeFigures
{
    qint64 start = 0;
    qint64 entered = 0;
    qint64 withdrawn = 0;
    qint64 changed = 0;
    qint64 end = 0;

    qint64 change() const { return entered - withdrawn + changed; }
    ChangeFigures& operator+=(const ChangeFigures& other);
    friend bool operator==(const ChangeFigures&, const ChangeFigures&) = default;
};

// A line in one of a unit's lists, as it stood at the end of the period (a line deleted in the period as it
// was when deleted).
struct ChangedLine
{
    std::optional<qint64> number;
    QString post;
    QString category;
    QString funding;
    qint64 units = 0;
    // What the line adds to the unit's units: +units entered, −units withdrawn, ± changed.
    qint64 difference = 0;
    // The entry order of an entered line, the withdrawal order of a withdrawn one, the entry order the line
    // carries for a changed one.
    QString orderNumber;
    QDate orderDate;
    // A changed line's changes in the period, oldest first.
    QList<LineChange> changes;
    qint64 key = 0;
};

// One unit: its lines entered, withdrawn and changed in the period, each list by number, and the figures of
// all its lines.
struct ChangesGroup
{
    QString unit;
    QString code;
    QList<ChangedLine> entered;
    QList<ChangedLine> withdrawn;
    QList<ChangedLine> changed;
    ChangeFigures figures;

    bool hasLines() const { return !entered.isEmpty() || !withdrawn.isEmpty() || !changed.isEmpty(); }
};

struct ChangesReport
{
    QString institution;
    QDate from;
    QDate to;
    // Every unit with a line in force at the start or the end of the period or listed, in the staff
    // schedule's order; those with no line listed count in the figures only.
    QList<ChangesGroup> groups;
    ChangeFigures total;
};

// The changes of the staff schedule from `from` to `to`, both days included. A line's state on a day is the
// one the schedule on that day shows (the lines' history where it knows it, see linesAsOf) and counts as
// countsOn says. Entered: the entry order is dated in the period; withdrawn: the withdrawal order is;
// changed: the history holds an update or a deletion of the line made in the period, shown with what the line
// carries; its figure is what the change of the line did to the unit's units beyond its entry and
// withdrawal. Raises Error when `from` comes after `to`.
ChangesReport loadChangesReport(Connection& connection, const QDate& from, const QDate& to);
// The statements it reads the lines and their changes with (the institution and the unit codes aside).
QStringList changesReportStatements(const QDate& from, const QDate& to);

} // namespace zeb
