#pragma once

#include "report/FormRequisites.h"
#include "report/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace zeb {

class Connection;

// One line of the staff schedule as the report prints it.
struct ReportLine
{
    QString post;
    QString category;
    QString payGrade;
    double units = 0;
    // NULL when the line has no hourly fund.
    QVariant hourlyFund;
    QString funding;
    // The entry order.
    QString orderNumber;
    QDate orderDate;
    // The salary of the line's grade in force on the report's date; empty when the scale has none.
    std::optional<Money> salary;
    // The form's column 9: (salary + allowances) × staff units; empty without a salary.
    std::optional<Money> monthlyTotal;
    QString note;
    // The line's key in Vakansii.
    qint64 key = 0;
};

// The lines of one unit. `unit` is "Division" or "Division / Sub-level", "Faculty",
// "Faculty / Level-2 division" or "Faculty / Department"; `code` is the institution's own code of the unit
// where set, else its key, "12" or "12.4" below a parent.
struct ReportGroup
{
    QString unit;
    QString code;
    QList<ReportLine> lines;
    double units = 0;
    // Column 9 of the lines that have one.
    Money monthlyTotal;
};

// What the officer gives for one issue of the form.
struct FormDetails
{
    QString documentNumber;
    QDate compiledOn;
    QDate periodFrom;
    QDate periodTo;
    QDate approvedOn;
    QString approvalOrder;
};

struct ScheduleReport
{
    QString institution;
    QDate asOf;
    FormRequisites requisites;
    FormDetails details;
    QList<ReportGroup> groups;
    double totalUnits = 0;
    Money monthlyTotal;
    int lineCount = 0;
    // Lines whose grade has no salary on the date (a line without a grade counts too).
    int linesWithoutSalary = 0;
};

// The name of the institution the schedule is of (see reportstatements::institution()).
QString loadInstitution(Connection& connection);

// Reads every line counting on `asOf` (see countsOn), grouped by unit: divisions by name, each with its own
// lines and then its sub-levels by name; then faculties by short name, each with its own lines, its level-2
// divisions and its departments by name. Lines keep their numbers' order. A non-empty `unit` keeps only the
// groups whose name contains it, in any letter case. `progress(done, total)` is told of the lines read;
// returning false cancels the load with zeb::Abort.
ScheduleReport loadScheduleReport(Connection& connection, const QDate& asOf, const QString& unit = {},
                                  const std::function<bool(int, int)>& progress = {});

} // namespace zeb
