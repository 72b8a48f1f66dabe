#pragma once

namespace zeb {
class Connection;
}

// Employees on the lines of ReportFixture.h around reportDay(): coming and leaving that day, the day before
// and after, lines filled, lines occupied beyond their units (line 11 of division 5 and line 2 of division 1,
// each by 0,25) and a withdrawn line occupied. Adds the rates 0,25, 0,5, 0,75, 1, 0,1 and 0,2 under
// keys 1 to 6.
void loadVacancyPlacements(zeb::Connection& connection);
