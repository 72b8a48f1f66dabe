#include "tests/report/ReportFixture.h"

#include "data/Connection.h"
#include "report/FormDataStore.h"
#include "report/FormRequisites.h"

#include <QStringList>

using namespace zeb;

namespace {

struct FixtureLine
{
    const char* unit; // the columns that place the line, as "id_otdel_1, id_otdel_11"
    const char* keys; // and their values, as "1, 2"
    const char* post; // a key of post
    double units;
    int grade;
    const char* number;
    const char* entered;
    const char* withdrawn;
    int category; // a key of Structure: 1 ППС, 2 УВП, 3 АУП, 4 ПОП
    int funding;  // a key of bk: 1 Бюджет, 2 Внебюдж., 3 Грант
    const char* hourlyFund;
};

// In key order; a null date or number is written NULL.
const FixtureLine lines[] = {
    {"id_otdel_1", "1", "2", 1, 14, "2", "'10.01.2020'", nullptr, 3, 1, "NULL"},
    {"id_otdel_1", "1", "3", 0.5, 10, "1", "'15.03.2024 14:30'", nullptr, 3, 2, "NULL"},
    {"id_otdel_1", "1", "3", 1, 10, "3", "'16.03.2024'", nullptr, 3, 1, "NULL"},
    {"id_otdel_1", "1", "3", 1, 9, "4", "'01.09.2019'", "'01.02.2024'", 3, 1, "NULL"},
    {"id_otdel_1", "1", "3", 0.25, 9, "5", "'01.09.2019'", "'15.03.2024'", 3, 1, "NULL"},
    {"id_otdel_1", "1", "3", 0.75, 9, "6", "'01.09.2019'", "'20.06.2024'", 3, 1, "NULL"},
    {"id_otdel_1", "1", "3", 0.25, 8, "NULL", "NULL", nullptr, 3, 1, "NULL"},
    {"id_otdel_1, id_otdel_11", "1, 2", "3", 0.75, 9, "1", "'01.02.2021'", nullptr, 3, 1, "NULL"},
    {"id_otdel_1, id_otdel_11", "1, 6", "3", 1, 9, "1", "'01.02.2021'", nullptr, 3, 1, "NULL"},
    {"id_otdel_1", "3", "4", 1, 6, "1", "'01.02.2018'", nullptr, 4, 1, "NULL"},
    {"id_otdel_1", "5", "3", 1.5, 11, "1", "'01.02.2022'", nullptr, 3, 2, "NULL"},
    {"id_faculty", "1", "6", 1, 17, "1", "'01.09.2017'", nullptr, 1, 1, "250.5"},
    {"id_faculty, id_otdel_2", "1, 4", "3", 1, 8, "1", "'01.09.2017'", nullptr, 2, 1, "NULL"},
    {"id_faculty, id_kafedra", "1, 1", "5", 1, 15, "1", "'01.09.2016'", nullptr, 1, 1, "120"},
    {"id_faculty, id_kafedra", "1, 2", "5", 0.5, 15, "1", "'01.09.2016'", nullptr, 1, 3, "NULL"},
    {"id_faculty, id_kafedra", "2, 2", "6", 1, 16, "1", "'01.09.2023'", nullptr, 1, 1, "NULL"},
    {"id_otdel_1", "7", "3", 1, 5, "1", "'01.09.2015'", "'31.12.2023'", 3, 1, "NULL"},
    {"id_faculty", "2", "6", 1, 16, "1", "'01.04.2024'", nullptr, 1, 1, "NULL"},
    {"id_otdel_1", "1", "3", 1, 10, "2", "'01.02.2023'", nullptr, 3, 1, "NULL"},
};

struct FixtureSalary
{
    int grade;
    QDate from;
    qint64 kopecks;
};

// Grade 9 rises before the day and again after it, grade 15 on the day; grade 8 has none.
const FixtureSalary salaries[] = {
    {6, QDate(2022, 1, 1), 2000000},   {9, QDate(2023, 1, 1), 2500000},  {9, QDate(2024, 3, 1), 2750050},
    {9, QDate(2024, 4, 1), 3000000},   {10, QDate(2020, 1, 1), 3000001}, {11, QDate(2022, 1, 1), 3333333},
    {14, QDate(2020, 1, 1), 4567890},  {15, QDate(2016, 1, 1), 3500000}, {15, QDate(2024, 3, 15), 3800000},
    {15, QDate(2024, 3, 16), 4000000}, {16, QDate(2022, 1, 1), 5000000}, {17, QDate(2022, 1, 1), 5555555},
};

void storeFormData(Connection& connection)
{
    Engine& engine = connection.engine();
    for (const FixtureSalary& salary : salaries)
        storeSalary(engine, salary.grade, salary.from, Money::fromKopecks(salary.kopecks));
    storeUnitCode(engine, UnitCodes::Kind::Division, 1, QStringLiteral("0101"));
    storeUnitCode(engine, UnitCodes::Kind::Division, 4, QStringLiteral("0400"));
    storeUnitCode(engine, UnitCodes::Kind::Faculty, 1, QStringLiteral("Ф1"));
    storeUnitCode(engine, UnitCodes::Kind::Department, 2, QStringLiteral("К-02"));
    saveFormRequisites(connection, fixtureRequisites());
}

QString lineStatement(const FixtureLine& line, int key)
{
    const bool withdrawn = line.withdrawn != nullptr;
    return QStringLiteral("insert into Vakansii (%1, id_post, q_units, razrad, Num, e_n_p, e_d_p, id_deduce, "
                          "d_n_p, d_d_p, id_structure, id_bk, hourFond) "
                          "values (%2, %3, %4, %5, %6, '%7-к', %8, %9, %10, %11, %12, %13, %14)")
        .arg(QString::fromLatin1(line.unit), QString::fromLatin1(line.keys), QString::fromLatin1(line.post))
        .arg(line.units)
        .arg(line.grade)
        .arg(QString::fromLatin1(line.number))
        .arg(key)
        .arg(QString::fromLatin1(line.entered))
        .arg(withdrawn ? 2 : 1)
        .arg(withdrawn ? QStringLiteral("'%1-в'").arg(key) : QStringLiteral("NULL"),
             withdrawn ? QString::fromLatin1(line.withdrawn) : QStringLiteral("NULL"))
        .arg(line.category)
        .arg(line.funding)
        .arg(QString::fromLatin1(line.hourlyFund));
}

} // namespace

FormRequisites fixtureRequisites()
{
    return {QStringLiteral("02068574"), QStringLiteral("Начальник управления кадров"),
            QStringLiteral("Е. В. Иванова"), QStringLiteral("А. П. Петров")};
}

QDate reportDay()
{
    return QDate(2024, 3, 15);
}

void loadReportFixture(Connection& connection)
{
    QStringList statements = {
        QStringLiteral("insert into vuz (id_vuz, v2) values (1, 'Заречный филиал')"),
        QStringLiteral("insert into vuz (id_vuz, v2) values (2, 'Северный государственный университет')"),
        QStringLiteral("insert into post (post) values ('Главный бухгалтер')"),
        QStringLiteral("insert into post (post) values ('Бухгалтер')"),
        QStringLiteral("insert into post (post) values ('Архивариус')"),
        QStringLiteral("insert into post (post) values ('Доцент')"),
        QStringLiteral("insert into post (post) values ('Профессор')"),
    };
    for (const char* name : {"Бухгалтерия", "Расчётная группа", "Архив", "Деканат",
                             "Отдел \"кадров\" <&> учёта", "Группа учёта", "Склад"})
        statements.append(
            QStringLiteral("insert into Otdel_1 (otdel_1) values ('%1')").arg(QString::fromUtf8(name)));
    statements += {
        QStringLiteral("insert into Faculty ([p23-1], [p23-2], id_vuz) "
                       "values ('ФМ', 'Физико-математический факультет', 2)"),
        QStringLiteral(
            "insert into Faculty ([p23-1], [p23-2], id_vuz) values ('ЮФ', 'Факультет юриспруденции', 2)"),
        QStringLiteral("insert into Kafedra (f1) values ('Кафедра физики')"),
        QStringLiteral("insert into Kafedra (f1) values ('Кафедра алгебры')"),
    };
    int key = 0;
    for (const FixtureLine& line : lines)
        statements.append(lineStatement(line, ++key));
    statements.append(QStringLiteral(
        "update Vakansii set descr = 'Ставка на время\nотпуска <по уходу>' where id_vakansiya = 12"));
    for (const QString& statement : statements)
        connection.execute(statement);
    storeFormData(connection);
}
