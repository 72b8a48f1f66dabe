#pragma once

#include "report/Money.h"
#include "report/UnitCodes.h"

#include <QDate>

namespace zeb {

class Engine;

// Writes of the form's installation data, every value bound: the administration tool and the demo make them.
// Sets the salary of `grade` from `from`, replacing the one of that grade and date.
void storeSalary(Engine& engine, qint64 grade, const QDate& from, Money salary);
// Removes the salary of `grade` from `from`; false when there was none.
bool removeSalary(Engine& engine, qint64 grade, const QDate& from);
// Sets the unit's own code; an empty code removes it.
void storeUnitCode(Engine& engine, UnitCodes::Kind kind, qint64 key, const QString& code);

} // namespace zeb
