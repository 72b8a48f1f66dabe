#pragma once

#include "report/Money.h"

#include <QDate>
#include <map>

namespace zeb {

class Connection;

// Monthly salaries by pay grade, each from the date it applies.
class SalaryScale
{
public:
    static SalaryScale load(Connection& connection);

    void add(qint64 grade, const QDate& from, Money salary);
    // The salary of `grade` in force on `day`: the one of the latest date on or before it.
    std::optional<Money> salaryOn(qint64 grade, const QDate& day) const;

private:
    std::map<qint64, std::map<QDate, Money>> m_byGrade;
};

} // namespace zeb
