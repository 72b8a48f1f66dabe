#pragma once

#include "report/ScheduleReport.h"
#include "report/UnitCodes.h"

#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace zeb {

class ResultCursor;

// The unit a line belongs to, by the keys of its columns.
struct UnitKey
{
    enum Branch
    {
        DivisionBranch,
        FacultyBranch,
    };
    // Within a branch: the parent's own lines, then sub-levels or level-2 divisions, then departments.
    enum Level
    {
        Own,
        Inner,
        Department,
    };

    Branch branch = DivisionBranch;
    qint64 parent = 0;
    Level level = Own;
    qint64 child = 0;

    auto tied() const { return std::tie(branch, parent, level, child); }
    bool operator<(const UnitKey& other) const { return tied() < other.tied(); }
};

struct UnitNames
{
    QString parent;
    // What the parent is ordered by: a faculty's short name, a division's name.
    QString parentOrder;
    QString child;
};

// The unit of a row of reportstatements::lines(). A line of a division and a faculty both is the division's,
// as the client lists it there first; one with a level-2 division and a department is the level-2 division's.
UnitKey lineUnit(const ResultCursor& row);
// The names of that unit, from the same row.
UnitNames lineUnitNames(const ResultCursor& row, const UnitKey& key);

// Collects the lines of a report by unit and hands them out in the report's order.
class UnitGroups
{
public:
    // Adds a line with its number and key; `names()` is asked for a unit not seen before only.
    template <typename Names>
    void add(const UnitKey& key, Names&& names, std::optional<qint64> number, qint64 lineKey, ReportLine line)
    {
        auto found = m_index.find(key);
        if (found == m_index.end()) {
            found = m_index.emplace(key, m_groups.size()).first;
            m_groups.push_back(Group{key, names(), {}});
        }
        m_groups[found->second].lines.push_back(Pending{number, lineKey, std::move(line)});
    }

    // The groups by their parents' and their own names, each with its lines by number and then by key and
    // with the institution's own code where `codes` has one; the collected lines are moved out.
    QList<ReportGroup> take(const UnitCodes& codes);

private:
    struct Pending
    {
        std::optional<qint64> number;
        qint64 key;
        ReportLine line;
    };
    struct Group
    {
        UnitKey key;
        UnitNames names;
        std::vector<Pending> lines;
    };

    static ReportGroup finished(Group& group, const UnitCodes& codes);

    std::map<UnitKey, size_t> m_index;
    std::vector<Group> m_groups;
};

} // namespace zeb
