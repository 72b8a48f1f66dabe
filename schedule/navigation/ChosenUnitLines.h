#pragma once

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

// Every line of the chosen unit, withdrawn ones included, by number: the same unit the grid shows, for a
// view of the schedule on a past day. Empty when no unit is chosen.
QString chosenUnitLinesInAnyState(const ChosenUnit& unit);

} // namespace zeb::navigation
