#include "report/change/ChangesReport.h"

#include "data/TsqlText.h"
#include "platform/Error.h"
#include "report/FormTexts.h"
#include "report/ScheduleReport.h"
#include "report/UnitGroups.h"
#include "report/change/LineStates.h"
#include "report/history/HistoryColumns.h"

#include <QHash>
#include <QSet>

namespace zeb {

ChangeFigures& ChangeFigures::operator+=(const ChangeFigures& other)
{
    start += other.start;
    entered += other.entered;
    withdrawn += other.withdrawn;
    changed += other.changed;
    end += other.end;
    return *this;
}

namespace {

using ChangesByLine = QHash<qint64, QList<LineChange>>;

// The updates and deletions the history keeps of the period. An insert is no change of the schedule in
// force: a line counts by its entry order.
QString periodCondition(const QDate& from, const QDate& to)
{
    const auto day = [](const QDate& date) {
        return tsqlStringLiteral(date.toString(QStringLiteral("dd.MM.yyyy")));
    };
    return QStringLiteral("h.changed >= ") + day(from) + QStringLiteral(" AND h.changed < ") +
           day(to.addDays(1)) + QStringLiteral(" AND h.change_kind <> 'I'");
}

// Those changes by line, oldest first.
ChangesByLine readChanges(Connection& connection, const QDate& from, const QDate& to)
{
    ChangesByLine byLine;
    for (LineChange& change :
         readLineChanges(connection, periodCondition(from, to), ChangeOrder::OldestFirst))
        byLine[change.line].append(std::move(change));
    return byLine;
}

// The titles of the columns of an entry or a withdrawal order, which the lists of entered and withdrawn
// lines show.
QSet<QString> orderColumnTitles()
{
    const QSet<QString> names{QStringLiteral("id_enter"),  QStringLiteral("e_n_p"), QStringLiteral("e_d_p"),
                              QStringLiteral("id_deduce"), QStringLiteral("d_n_p"), QStringLiteral("d_d_p")};
    QSet<QString> titles;
    for (const HistoryColumn& column : historyColumns()) {
        if (names.contains(column.name))
            titles.insert(column.title);
    }
    return titles;
}

bool ordersOnly(const QList<LineChange>& changes, const QSet<QString>& orderTitles)
{
    for (const LineChange& change : changes) {
        if (change.kind != LineChange::Kind::Updated)
            return false;
        for (const ColumnChange& column : change.columns) {
            if (!orderTitles.contains(column.title))
                return false;
        }
    }
    return true;
}

ChangedLine listedLine(qint64 key, const LineState& state, qint64 difference, const QString& order,
                       const QDate& date)
{
    return {state.number, state.post, state.category, state.funding, state.units, difference, order, date,
            {},           key};
}

// Collects the figures and the listed lines by unit and hands them out in the schedule's order.
class Collector
{
public:
    Collector(const QDate& from, const QDate& to) : m_from(from), m_to(to), m_orderTitles(orderColumnTitles())
    {
    }

    void add(qint64 key, const LineState* start, const LineState* end, const QList<LineChange>& changes);
    QList<ChangesGroup> take(const UnitNamesByKey& names, const UnitCodes& codes);

private:
    enum class Kind
    {
        Figures,
        Entered,
        Withdrawn,
        Changed,
    };
    struct Entry
    {
        UnitKey unit;
        Kind kind;
        ChangedLine line;
    };

    bool within(const QDate& day) const { return day.isValid() && m_from <= day && day <= m_to; }
    void list(const UnitKey& unit, Kind kind, ChangedLine line)
    {
        m_entries.push_back({unit, kind, std::move(line)});
    }
    // The part of the line's units at the end that its entry and withdrawal do not explain; `listed` tells
    // whether the line is listed as entered or withdrawn.
    qint64 addEnd(qint64 key, const LineState& end, bool& listed);
    void addChanged(qint64 key, const LineState* start, const LineState* end, qint64 startUnits,
                    qint64 endChange, bool listedInHome, const QList<LineChange>& changes);

    QDate m_from;
    QDate m_to;
    QSet<QString> m_orderTitles;
    std::map<UnitKey, ChangeFigures> m_figures;
    std::vector<Entry> m_entries;
};

void Collector::add(qint64 key, const LineState* start, const LineState* end,
                    const QList<LineChange>& changes)
{
    const qint64 startUnits = start ? start->unitsOn(m_from.addDays(-1)) : 0;
    if (startUnits != 0)
        m_figures[start->unit].start += startUnits;
    bool listedInHome = false;
    const qint64 endChange = end ? addEnd(key, *end, listedInHome) : 0;
    if (start && end && start->unit.tied() == end->unit.tied()) {
        if (endChange != startUnits)
            m_figures[end->unit].changed += endChange - startUnits;
    } else {
        if (startUnits != 0)
            m_figures[start->unit].changed -= startUnits;
        if (endChange != 0)
            m_figures[end->unit].changed += endChange;
    }
    if (!changes.isEmpty() && (start || end))
        addChanged(key, start, end, startUnits, endChange, listedInHome, changes);
}

qint64 Collector::addEnd(qint64 key, const LineState& end, bool& listed)
{
    const qint64 endUnits = end.unitsOn(m_to);
    qint64 change = endUnits;
    if (endUnits != 0)
        m_figures[end.unit].end += endUnits;
    // An order dated before the other one cannot have taken effect: the line was never in force.
    const bool entered = within(end.entered) && !(end.withdrawn.isValid() && end.withdrawn < end.entered);
    const bool withdrawn = within(end.withdrawn) && !(end.entered.isValid() && end.entered > end.withdrawn);
    if (entered) {
        m_figures[end.unit].entered += end.units;
        list(end.unit, Kind::Entered, listedLine(key, end, end.units, end.entryOrder, end.entered));
        change -= end.units;
    }
    listed = entered || withdrawn;
    if (withdrawn) {
        m_figures[end.unit].withdrawn += end.units;
        list(end.unit, Kind::Withdrawn, listedLine(key, end, -end.units, end.withdrawalOrder, end.withdrawn));
        change += end.units;
    }
    return change;
}

// Listed where the line is at the end (where it was, when deleted), and also where it was at the start when
// it left that unit. An update of the order columns alone of a line listed as entered or withdrawn is that
// entry or withdrawal, listed once.
void Collector::addChanged(qint64 key, const LineState* start, const LineState* end, qint64 startUnits,
                           qint64 endChange, bool listedInHome, const QList<LineChange>& changes)
{
    const LineState& home = end ? *end : *start;
    const bool moved = start && end && start->unit.tied() != end->unit.tied();
    const qint64 difference = moved || !start ? endChange : endChange - startUnits;
    if (difference != 0 || !listedInHome || !ordersOnly(changes, m_orderTitles)) {
        ChangedLine line = listedLine(key, home, difference, home.entryOrder, home.entered);
        line.changes = changes;
        m_figures[home.unit];
        list(home.unit, Kind::Changed, std::move(line));
    }
    if (moved && startUnits != 0) {
        ChangedLine line = listedLine(key, *start, -startUnits, start->entryOrder, start->entered);
        line.changes = changes;
        list(start->unit, Kind::Changed, std::move(line));
    }
}

QList<ChangesGroup> Collector::take(const UnitNamesByKey& names, const UnitCodes& codes)
{
    UnitGroups groups;
    const auto add = [&](const UnitKey& unit, std::optional<qint64> number, qint64 lineKey, size_t entry) {
        ReportLine line;
        line.key = qint64(entry);
        groups.add(
            unit, [&] { return names.at(unit); }, number, lineKey, std::move(line));
    };
    for (const auto& [unit, figures] : m_figures) {
        add(unit, std::nullopt, 0, m_entries.size());
        m_entries.push_back({unit, Kind::Figures, {}});
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].kind != Kind::Figures)
            add(m_entries[i].unit, m_entries[i].line.number, m_entries[i].line.key, i);
    }
    QList<ChangesGroup> result;
    for (const ReportGroup& group : groups.take(codes)) {
        ChangesGroup changes{group.unit, group.code, {}, {}, {}, {}};
        for (const ReportLine& line : group.lines) {
            Entry& entry = m_entries[size_t(line.key)];
            switch (entry.kind) {
            case Kind::Figures:
                changes.figures = m_figures[entry.unit];
                break;
            case Kind::Entered:
                changes.entered.append(std::move(entry.line));
                break;
            case Kind::Withdrawn:
                changes.withdrawn.append(std::move(entry.line));
                break;
            case Kind::Changed:
                changes.changed.append(std::move(entry.line));
                break;
            }
        }
        result.append(std::move(changes));
    }
    return result;
}

} // namespace

QStringList changesReportStatements(const QDate& from, const QDate& to)
{
    return {LineStates::statement(from.addDays(-1)), LineStates::statement(to),
            lineChangesStatement(periodCondition(from, to), ChangeOrder::OldestFirst)};
}

ChangesReport loadChangesReport(Connection& connection, const QDate& from, const QDate& to)
{
    if (from > to)
        throw Error(formtexts::reversedPeriodText(from, to));
    ChangesReport report;
    report.institution = loadInstitution(connection);
    report.from = from;
    report.to = to;
    const UnitCodes codes = UnitCodes::load(connection);
    UnitNamesByKey names;
    const LineStates start = LineStates::load(connection, from.addDays(-1), names);
    const LineStates end = LineStates::load(connection, to, names);
    const ChangesByLine changes = readChanges(connection, from, to);

    Collector collector(from, to);
    for (const auto& [key, state] : start.byKey())
        collector.add(key, &state, end.find(key), changes.value(key));
    for (const auto& [key, state] : end.byKey()) {
        if (!start.find(key))
            collector.add(key, nullptr, &state, changes.value(key));
    }
    report.groups = collector.take(names, codes);
    for (const ChangesGroup& group : report.groups)
        report.total += group.figures;
    return report;
}

} // namespace zeb
