#include "tests/report/ChangesFixture.h"

#include "data/Connection.h"
#include "data/Engine.h"
#include "tests/report/ReportFixture.h"

using namespace zeb;

namespace {

struct PeriodLine
{
    int division;
    double units;
    int number;
    const char* entered;
    const char* withdrawn;
};

// Keys 20 to 28.
const PeriodLine lines[] = {
    {3, 0.25, 2, "29.02.2024", nullptr},      {3, 0.5, 3, "01.03.2024", nullptr},
    {3, 0.75, 4, "31.03.2024", nullptr},      {3, 1, 5, "01.04.2024", nullptr},
    {5, 0.25, 2, "01.02.2020", "29.02.2024"}, {5, 0.5, 3, "01.02.2020", "01.03.2024"},
    {5, 0.75, 4, "01.02.2020", "31.03.2024"}, {5, 1, 5, "01.02.2020", "01.04.2024"},
    {5, 0.1, 6, "05.03.2024", "20.03.2024"},
};

struct Change
{
    const char* statement;
    const char* made;
};

const Change changes[] = {
    {"update Vakansii set q_units = 1.5 where id_vakansiya = 12", "2024-03-10 12:00:00"},
    {"update Vakansii set id_post = 6, razrad = 9 where id_vakansiya = 13", "2024-03-31 18:00:00"},
    {"update Vakansii set id_deduce = 2, d_n_p = '19-в', d_d_p = '15.03.2024' where id_vakansiya = 19",
     "2024-03-15 10:00:00"},
    {"delete from Vakansii where id_vakansiya = 9", "2024-03-20 09:00:00"},
    {"update Vakansii set q_units = 1 where id_vakansiya = 8", "2024-02-29 23:00:00"},
    {"update Vakansii set q_units = 0.5 where id_vakansiya = 14", "2024-04-02 09:00:00"},
};

QString lineStatement(const PeriodLine& line, int key)
{
    const bool withdrawn = line.withdrawn != nullptr;
    return QStringLiteral(
               "insert into Vakansii (id_otdel_1, id_post, q_units, razrad, Num, e_n_p, e_d_p, id_deduce, "
               "d_n_p, d_d_p, id_structure, id_bk) values (%1, 3, %2, 9, %3, '%4-к', '%5', %6, %7, %8, "
               "3, 1)")
        .arg(line.division)
        .arg(line.units)
        .arg(line.number)
        .arg(key)
        .arg(QString::fromLatin1(line.entered))
        .arg(withdrawn ? 2 : 1)
        .arg(withdrawn ? QStringLiteral("'%1-в'").arg(key) : QStringLiteral("NULL"),
             withdrawn ? QStringLiteral("'%1'").arg(QString::fromLatin1(line.withdrawn))
                       : QStringLiteral("NULL"));
}

} // namespace

void loadChangesFixture(Connection& connection, Engine& admin)
{
    loadReportFixture(connection);
    int key = 19;
    for (const PeriodLine& line : lines)
        connection.execute(lineStatement(line, ++key));
    admin.run(QStringLiteral("UPDATE Vakansii_history SET changed = '2019-06-01 10:00:00'"));
    for (const Change& change : changes) {
        connection.execute(QString::fromUtf8(change.statement));
        admin.run(QStringLiteral("UPDATE Vakansii_history SET changed = '%1' WHERE id_history = (SELECT "
                                 "max(id_history) FROM Vakansii_history)")
                      .arg(QLatin1String(change.made)));
    }
}

QDate changesFrom()
{
    return QDate(2024, 3, 1);
}

QDate changesTo()
{
    return QDate(2024, 3, 31);
}
