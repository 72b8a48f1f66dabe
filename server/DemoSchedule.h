#pragma once

#include "server/DemoOrganisation.h"

#include <QDate>
#include <QList>

class QRandomGenerator;

namespace zeb {

// A schedule line of the demo as the staff placements need it.
struct DemoLine
{
    qint64 id = 0;
    // The line's unit: its place in DemoOrganisation::units.
    qsizetype unit = 0;
    double units = 1.0;
    int grade = 1;
    QDate entered;
    bool withdrawn = false;
};

// Inserts the schedule lines of every unit: numbered 1..n within the unit, except the last lines of a few
// units, which are left for the client's numbering; a few withdrawn lines, all of an abolished unit.
QList<DemoLine> insertDemoSchedule(Engine& engine, const DemoOrganisation& organisation,
                                   QRandomGenerator& random);

} // namespace zeb
