#include "schedule/history/HistoryColumns.h"

#include "schedule/grid/ScheduleColumns.h"

namespace zeb {

namespace {

// A grid title on one line: "Ввести|№ приказа" as "Ввести: № приказа", "Ввести|Ввести" as "Ввести", the
// hyphenation of "Раз- ряд" undone.
QString oneLineTitle(const QString& title)
{
    QString text = title;
    text.replace(QStringLiteral("- "), QString());
    const QString group = text.section(u'|', 0, 0);
    const QString column = text.section(u'|', 1);
    if (column.isEmpty() || column == group)
        return group;
    return group + QStringLiteral(": ") + column;
}

HistoryColumn value(const QString& name, const QString& title, FieldType type, const QString& format = {})
{
    return {name, title, type, format, {}, {}, {}};
}

HistoryColumn lookup(const QString& name, const QString& title, const QString& table, const QString& key,
                     const QString& shown)
{
    return {name, title, FieldType::Integer, {}, table, key, shown};
}

} // namespace

QList<HistoryColumn> historyColumns()
{
    const QList<GridColumn> grid = scheduleGridColumns();
    const auto title = [&](int column) { return oneLineTitle(grid[column].title); };
    const QString number = QStringLiteral("0.##");
    const QString division = QStringLiteral("Otdel_1");
    const QString divisionKey = QStringLiteral("id_otdel_1");
    const QString divisionName = QStringLiteral("otdel_1");
    return {
        value(QStringLiteral("Num"), title(ScheduleColumn::Num), FieldType::Integer),
        lookup(QStringLiteral("id_structure"), title(ScheduleColumn::Structure), QStringLiteral("Structure"),
               QStringLiteral("id_structure"), QStringLiteral("Structure")),
        lookup(QStringLiteral("id_post"), title(ScheduleColumn::Post), QStringLiteral("post"),
               QStringLiteral("id_post"), QStringLiteral("post")),
        lookup(QStringLiteral("id_bk"), title(ScheduleColumn::FundingSource), QStringLiteral("bk"),
               QStringLiteral("id_bk"), QStringLiteral("name")),
        value(QStringLiteral("razrad"), title(ScheduleColumn::Grade), FieldType::Decimal, number),
        value(QStringLiteral("q_units"), title(ScheduleColumn::Units), FieldType::Float, number),
        value(QStringLiteral("hourFond"), title(ScheduleColumn::HourFund), FieldType::Float),
        lookup(QStringLiteral("id_enter"), title(ScheduleColumn::Enter), QStringLiteral("Enter"),
               QStringLiteral("id_enter"), QStringLiteral("enter")),
        value(QStringLiteral("e_n_p"), title(ScheduleColumn::EntryOrder), FieldType::Text),
        value(QStringLiteral("e_d_p"), title(ScheduleColumn::EntryDate), FieldType::DateTime),
        lookup(QStringLiteral("id_deduce"), title(ScheduleColumn::Deduce), QStringLiteral("Deduce"),
               QStringLiteral("id_deduce"), QStringLiteral("deduce")),
        value(QStringLiteral("d_n_p"), title(ScheduleColumn::WithdrawalOrder), FieldType::Text),
        value(QStringLiteral("d_d_p"), title(ScheduleColumn::WithdrawalDate), FieldType::DateTime),
        lookup(QStringLiteral("id_otdel_1"), QStringLiteral("Отдел первого уровня"), division, divisionKey,
               divisionName),
        lookup(QStringLiteral("id_otdel_11"), QStringLiteral("Подуровень"), division, divisionKey,
               divisionName),
        lookup(QStringLiteral("id_faculty"), QStringLiteral("Факультет"), QStringLiteral("Faculty"),
               QStringLiteral("id_faculty"), QStringLiteral("[p23-1]")),
        lookup(QStringLiteral("id_otdel_2"), QStringLiteral("Отдел второго уровня"), division, divisionKey,
               divisionName),
        lookup(QStringLiteral("id_kafedra"), QStringLiteral("Кафедра"), QStringLiteral("Kafedra"),
               QStringLiteral("id_kafedra"), QStringLiteral("f1")),
        value(QStringLiteral("descr"), QStringLiteral("Примечание"), FieldType::Memo),
    };
}

} // namespace zeb
