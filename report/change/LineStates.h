#pragma once

#include "report/UnitGroups.h"

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <unordered_map>

namespace zeb {

class Connection;

// What the changes report needs of a line as it stood on one day.
struct LineState
{
    std::optional<qint64> number;
    qint64 units = 0; // hundredths
    QDate entered;
    QDate withdrawn;
    QString entryOrder;
    QString withdrawalOrder;
    QString post;
    QString category;
    QString funding;
    UnitKey unit;

    // The units the line holds in force at the end of `day` by its dates: its units or none.
    qint64 unitsOn(const QDate& day) const;
};

using UnitNamesByKey = std::map<UnitKey, UnitNames>;

// The lines placed in a unit as they stood at the end of one day, by key (see linesAsOf), read with one
// statement.
class LineStates
{
public:
    // Adds the names of the units met to `names`.
    static LineStates load(Connection& connection, const QDate& day, UnitNamesByKey& names);

    // The statement it reads them with.
    static QString statement(const QDate& day);

    const LineState* find(qint64 key) const;
    const std::unordered_map<qint64, LineState>& byKey() const { return m_lines; }

private:
    std::unordered_map<qint64, LineState> m_lines;
};

} // namespace zeb
