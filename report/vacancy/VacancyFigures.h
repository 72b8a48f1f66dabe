#pragma once

#include <QString>

namespace zeb {

// Staff units of a set of lines in hundredths, exact: their units, the units occupied, the vacant units
// (the sum of each line's units − occupied where that is above 0) and the units occupied beyond the lines'
// own (where it is below 0). A line occupied beyond its units does not fill another line's vacancy.
struct VacancyFigures
{
    qint64 units = 0;
    qint64 occupied = 0;
    qint64 vacant = 0;
    qint64 over = 0;

    void addLine(qint64 lineUnits, qint64 lineOccupied);
    VacancyFigures& operator+=(const VacancyFigures& other);
    friend bool operator==(const VacancyFigures&, const VacancyFigures&) = default;
};

// What the figures count, in words for the reader of the report.
QString vacancyFiguresNote();

// Hundredths as the grid shows staff units: "1", "0,5", "1,25", "-0,75".
QString hundredthsText(qint64 hundredths);

} // namespace zeb
