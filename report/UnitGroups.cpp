#include "report/UnitGroups.h"

#include "data/ResultCursor.h"
#include "data/dataset/CollatedTexts.h"
#include "report/ReportStatements.h"

#include <algorithm>
#include <numeric>

namespace zeb {

UnitKey lineUnit(const ResultCursor& row)
{
    using namespace reportstatements;
    UnitKey key;
    if (!row.isNull(Division)) {
        key.parent = row.toInt64(Division);
        if (!row.isNull(SubLevel)) {
            key.level = UnitKey::Inner;
            key.child = row.toInt64(SubLevel);
        }
        return key;
    }
    key.branch = UnitKey::FacultyBranch;
    key.parent = row.toInt64(Faculty);
    if (!row.isNull(Level2Division)) {
        key.level = UnitKey::Inner;
        key.child = row.toInt64(Level2Division);
    } else if (!row.isNull(Department)) {
        key.level = UnitKey::Department;
        key.child = row.toInt64(Department);
    }
    return key;
}

UnitNames lineUnitNames(const ResultCursor& row, const UnitKey& key)
{
    using namespace reportstatements;
    UnitNames names;
    if (key.branch == UnitKey::DivisionBranch) {
        names.parent = row.toText(DivisionName);
        names.parentOrder = names.parent;
        names.child = row.toText(SubLevelName);
        return names;
    }
    names.parentOrder = row.toText(FacultyShortName);
    names.parent = row.toText(FacultyName);
    if (names.parent.isEmpty())
        names.parent = names.parentOrder;
    names.child = row.toText(key.level == UnitKey::Inner ? Level2DivisionName : DepartmentName);
    return names;
}

QList<ReportGroup> UnitGroups::take(const UnitCodes& codes)
{
    // Names compare as the grid sorts them, so the report lists units as the user sees them there.
    CollatedTexts texts;
    std::vector<std::pair<int, int>> textIds;
    textIds.reserve(m_groups.size());
    for (const Group& group : m_groups)
        textIds.emplace_back(texts.add(group.names.parentOrder), texts.add(group.names.child));
    const std::vector<int> ranks = texts.ranks();
    const auto place = [&](size_t i) {
        const UnitKey& key = m_groups[i].key;
        return std::tuple(key.branch, ranks[size_t(textIds[i].first)], key.parent, key.level,
                          ranks[size_t(textIds[i].second)], key.child);
    };
    std::vector<size_t> order(m_groups.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return place(a) < place(b); });

    QList<ReportGroup> groups;
    groups.reserve(qsizetype(order.size()));
    for (size_t i : order)
        groups.append(finished(m_groups[i], codes));
    m_groups.clear();
    m_index.clear();
    return groups;
}

namespace {

// The institution's code of the unit itself: a sub-level and a level-2 division are divisions too.
QString ownCode(const UnitKey& key, const UnitCodes& codes)
{
    using Kind = UnitCodes::Kind;
    switch (key.level) {
    case UnitKey::Own:
        return codes.codeOf(key.branch == UnitKey::DivisionBranch ? Kind::Division : Kind::Faculty,
                            key.parent);
    case UnitKey::Inner:
        return codes.codeOf(Kind::Division, key.child);
    case UnitKey::Department:
        return codes.codeOf(Kind::Department, key.child);
    }
    return {};
}

} // namespace

ReportGroup UnitGroups::finished(Group& group, const UnitCodes& codes)
{
    // Lines without a number go last: the client gives them the next numbers when the unit opens.
    std::sort(group.lines.begin(), group.lines.end(), [](const Pending& a, const Pending& b) {
        return std::tuple(!a.number, a.number.value_or(0), a.key) <
               std::tuple(!b.number, b.number.value_or(0), b.key);
    });
    ReportGroup result;
    const UnitKey& key = group.key;
    if (key.level == UnitKey::Own) {
        result.unit = group.names.parent;
        result.code = QString::number(key.parent);
    } else {
        result.unit = group.names.parent + QStringLiteral(" / ") + group.names.child;
        result.code = QStringLiteral("%1.%2").arg(key.parent).arg(key.child);
    }
    if (const QString own = ownCode(key, codes); !own.isEmpty())
        result.code = own;
    result.lines.reserve(qsizetype(group.lines.size()));
    for (Pending& pending : group.lines) {
        result.units += pending.line.units;
        if (pending.line.monthlyTotal)
            result.monthlyTotal += *pending.line.monthlyTotal;
        result.lines.append(std::move(pending.line));
    }
    return result;
}

} // namespace zeb
