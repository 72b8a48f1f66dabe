#pragma once

#include "report/vacancy/VacancyFigures.h"

#include <QDate>
#include <QList>
#include <QString>

namespace zeb {

class Connection;

// A schedule line with its staff units and the units occupied on the report's day, in hundredths.
struct VacancyLine
{
    QString post;
    QString category;
    QString funding;
    qint64 units = 0;
    qint64 occupied = 0;

    // Negative for a line occupied beyond its units.
    qint64 vacant() const { return units - occupied; }
};

// One unit: its lines with vacant units and those occupied beyond their units, each by number; the
// figures are those of every line of the unit in force on the day.
struct VacancyGroup
{
    QString unit;
    QString code;
    QList<VacancyLine> vacantLines;
    QList<VacancyLine> overLines;
    VacancyFigures figures;
};

// The figures of the lines of one staff category or one funding source.
struct VacancyTotal
{
    QString name;
    VacancyFigures figures;
};

struct VacancyReport
{
    QString institution;
    QDate asOf;
    // Only the units with a vacant line or a line occupied beyond its units, in the staff schedule's order.
    QList<VacancyGroup> groups;
    // By name; a line without a category or a funding source counts under an empty name.
    QList<VacancyTotal> byCategory;
    QList<VacancyTotal> byFunding;
    VacancyFigures total;
    int lineCount = 0;
};

// The lines in force on `asOf` (as the staff schedule counts them), with the units occupied on that day
// (see LineOccupancy), grouped by unit as the staff schedule groups them.
VacancyReport loadVacancyReport(Connection& connection, const QDate& asOf);

} // namespace zeb
