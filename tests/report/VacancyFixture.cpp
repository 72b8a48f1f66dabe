#include "tests/report/VacancyFixture.h"

#include "data/Connection.h"

using namespace zeb;

namespace {

// Rates by key: 1 → 0,25, 2 → 0,5, 3 → 0,75, 4 → 1, 5 → 0,1, 6 → 0,2.
const char* const rates[] = {"0.25", "0.5", "0.75", "1", "0.1", "0.2"};

struct Placement
{
    int line;
    int rate;
    const char* came;
    const char* leaveKind;
    const char* left;
};

// Around reportDay(), 15.03.2024; lines as in ReportFixture.h.
const Placement placements[] = {
    {1, 4, "'16.03.2024'", "4", "NULL"},          // comes the day after
    {1, 2, "'15.03.2024 14:30'", "4", "NULL"},    // comes that day, in the afternoon
    {19, 4, "'01.02.2020'", "1", "'15.03.2024'"}, // leaves that day
    {19, 2, "'01.02.2020'", "1", "'16.03.2024'"}, // leaves the day after
    {10, 4, "'01.02.2019'", "NULL", "NULL"},      // full
    {11, 4, "'01.02.2022'", "4", "NULL"},         // two beyond the units
    {11, 3, "'01.03.2022'", "NULL", "NULL"},      //
    {12, 5, "'01.09.2017'", "4", "NULL"},         // three, two at the same rate
    {12, 6, "'01.09.2017'", "4", "NULL"},         //
    {12, 6, "'01.09.2018'", "4", "NULL"},         //
    {13, 4, "'01.09.2017'", "1", "NULL"},         // left, the day not recorded
    {14, 4, "'01.09.2016'", "1", "'14.03.2024'"}, // left the day before
    {15, 2, "'01.09.2016'", "4", "'01.01.2024'"}, // a leaving date decides over the kind
    {16, 4, "'01.09.2023'", "1", "'01.09.2024'"}, // leaving ordered ahead of time
    {9, 2, "'01.02.2021'", "4", "NULL"},          // two halves fill a unit
    {9, 2, "'01.02.2021'", "4", "NULL"},          //
    {2, 3, "'01.02.2023'", "4", "NULL"},          // 0,75 on a line of 0,5
    {4, 4, "'01.02.2020'", "4", "NULL"},          // on a withdrawn line
};

} // namespace

void loadVacancyPlacements(Connection& connection)
{
    for (const char* rate : rates)
        connection.execute(
            QStringLiteral("insert into Stavka (stavka) values (%1)").arg(QLatin1String(rate)));
    for (const Placement& p : placements)
        connection.execute(
            QStringLiteral("insert into Working (id_teacher, id_vakansiya, id_stavka, date_come, "
                           "id_leave, Date_leave) values (1, %1, %2, %3, %4, %5)")
                .arg(p.line)
                .arg(p.rate)
                .arg(QLatin1String(p.came), QLatin1String(p.leaveKind), QLatin1String(p.left)));
}
