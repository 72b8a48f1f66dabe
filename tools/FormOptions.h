#pragma once

#include "report/Money.h"
#include "report/UnitCodes.h"

#include <QDate>
#include <optional>

namespace zeb::formoptions {

// One --unit-code: the unit and its own code; an empty code removes the one set.
struct UnitCodeSetting
{
    UnitCodes::Kind kind = UnitCodes::Kind::Division;
    qint64 key = 0;
    QString code;
};

// One --salary: the grade, the date it applies from and the monthly salary; none removes the one set.
struct SalarySetting
{
    qint64 grade = 0;
    QDate from;
    std::optional<Money> salary;
};

// Each raises UsageError naming the option, the text and the form expected.
// "K:12=04.1": O a division, F a faculty, K a department.
UnitCodeSetting unitCode(const QString& text);
// "5:01.09.2025=24640,50".
SalarySetting salary(const QString& text);
// 8 digits (10 for a sole trader), or empty to clear it.
QString okpo(const QString& text);
// The text trimmed, at most `size` characters as the column keeps.
QString limited(const QString& option, const QString& text, int size);

// "O:12", as the options and the tool's listing write a unit.
QString unitText(UnitCodes::Kind kind, qint64 key);

} // namespace zeb::formoptions
