#pragma once

#include "report/Money.h"

#include <QDate>
#include <map>
#include <optional>

namespace zeb {

class Connection;
class Engine;

// Monthly salaries by pay grade, each from the date it applies.
class SalaryScale
{
public:
    static SalaryScale load(Connection& connection);
    // The same on an administrator's engine.
    static SalaryScale load(Engine& engine);

    void add(qint64 grade, const QDate& from, Money salary);
    // The salary of `grade` in force on `day`: the one of the latest date on or before it.
    std::optional<Money> salaryOn(qint64 grade, const QDate& day) const;
    // Every grade with its salaries by the date they apply from.
    const std::map<qint64, std::map<QDate, Money>>& byGrade() const { return m_byGrade; }

private:
    std::map<qint64, std::map<QDate, Money>> m_byGrade;
};

} // namespace zeb
