#include "report/history/HistoryColumns.h"

namespace zeb {

namespace {

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
    const QString number = QStringLiteral("0.##");
    const QString division = QStringLiteral("Otdel_1");
    const QString divisionKey = QStringLiteral("id_otdel_1");
    const QString divisionName = QStringLiteral("otdel_1");
    return {
        value(QStringLiteral("Num"), QStringLiteral("№"), FieldType::Integer),
        lookup(QStringLiteral("id_structure"), QStringLiteral("Состав"), QStringLiteral("Structure"),
               QStringLiteral("id_structure"), QStringLiteral("Structure")),
        lookup(QStringLiteral("id_post"), QStringLiteral("Должность"), QStringLiteral("post"),
               QStringLiteral("id_post"), QStringLiteral("post")),
        lookup(QStringLiteral("id_bk"), QStringLiteral("Б/К"), QStringLiteral("bk"), QStringLiteral("id_bk"),
               QStringLiteral("name")),
        value(QStringLiteral("razrad"), QStringLiteral("Разряд"), FieldType::Decimal, number),
        value(QStringLiteral("q_units"), QStringLiteral("Кол. ед."), FieldType::Float, number),
        value(QStringLiteral("hourFond"), QStringLiteral("Почасовой фонд"), FieldType::Float),
        lookup(QStringLiteral("id_enter"), QStringLiteral("Ввести"), QStringLiteral("Enter"),
               QStringLiteral("id_enter"), QStringLiteral("enter")),
        value(QStringLiteral("e_n_p"), QStringLiteral("Ввести: № приказа"), FieldType::Text),
        value(QStringLiteral("e_d_p"), QStringLiteral("Ввести: Дата приказа"), FieldType::DateTime),
        lookup(QStringLiteral("id_deduce"), QStringLiteral("Вывести"), QStringLiteral("Deduce"),
               QStringLiteral("id_deduce"), QStringLiteral("deduce")),
        value(QStringLiteral("d_n_p"), QStringLiteral("Вывести: № приказа"), FieldType::Text),
        value(QStringLiteral("d_d_p"), QStringLiteral("Вывести: Дата приказа"), FieldType::DateTime),
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
