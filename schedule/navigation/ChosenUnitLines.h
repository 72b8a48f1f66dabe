#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace zeb::navigation {

// The unit chosen in the window's selectors; null keys for what is not chosen.
struct ChosenUnit
{
    QVariant division;
    QVariant subLevel;
    QVariant faculty;
    QVariant level2Division;
    QVariant department;
};

// Every line the chosen unit held at the end of `day`, withdrawn ones included, by number: the same unit
// the grid shows, for a view of the schedule on a past day. Where the lines' history knows what a line was
// then, the line has those values (and is found in the unit it was in, even when deleted since); a line
// the history knows nothing of before the day has its values of today. Empty when no unit is chosen.
QString chosenUnitLinesAsOf(const ChosenUnit& unit, QDate day);

} // namespace zeb::navigation
