#include "server/DemoFormData.h"

#include "server/DemoOrganisation.h"
#include "server/NativeTable.h"

#include <QDate>

namespace zeb {

namespace {

struct GradeSalary
{
    int grade;
    qint64 kopecks; // of the older scale
};

// No grade 3: its lines show the missing salary.
constexpr GradeSalary olderScale[] = {
    {1, 1924200},  {2, 1980000},  {4, 2135000},  {5, 2240000},  {6, 2350000},  {7, 2470000},
    {8, 2590000},  {9, 2720000},  {10, 2860000}, {11, 3005050}, {12, 3155000}, {13, 3315000},
    {14, 3480000}, {15, 3655000}, {16, 3840000}, {17, 4030000}, {18, 4235000},
};

const QDate olderFrom(2024, 1, 1);
const QDate newerFrom(2025, 10, 1);

// Kopecks as the decimal text a numeric column takes exactly.
QString decimal(qint64 kopecks)
{
    return QStringLiteral("%1.%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

void insertScale(Engine& engine)
{
    const NativeTable table(engine, QStringLiteral("Oklad"));
    const QStringList columns = {QStringLiteral("razrad"), QStringLiteral("date_from"),
                                 QStringLiteral("oklad")};
    for (const GradeSalary& salary : olderScale) {
        table.insert(columns, {salary.grade, olderFrom, decimal(salary.kopecks)});
        table.insert(columns, {salary.grade, newerFrom, decimal(salary.kopecks * 11 / 10)});
    }
}

void setRequisites(Engine& engine)
{
    NativeTable(engine, QStringLiteral("Rekvizity"))
        .update({QStringLiteral("okpo"), QStringLiteral("kadry_post"), QStringLiteral("kadry_name"),
                 QStringLiteral("buh_name")},
                {QStringLiteral("41278963"), QStringLiteral("Начальник отдела кадров"),
                 QStringLiteral("Е. А. Соколова"), QStringLiteral("Н. В. Петрова")},
                QStringLiteral("id_rekvizity"), 1);
}

// The first three divisions, the first faculty and its first department get codes of the institution's own.
void insertUnitCodes(Engine& engine, const DemoOrganisation& organisation)
{
    const NativeTable table(engine, QStringLiteral("Kod_podrazd"));
    const QStringList columns = {QStringLiteral("kind"), QStringLiteral("id_unit"), QStringLiteral("code")};
    int divisions = 0;
    QVariant faculty;
    QVariant department;
    for (const DemoUnit& unit : organisation.units) {
        if (!unit.otdel1.isNull() && unit.otdel11.isNull() && divisions < 3) {
            ++divisions;
            table.insert(columns, {QStringLiteral("O"), unit.otdel1, QStringLiteral("0%1").arg(divisions)});
        }
        if (faculty.isNull() && !unit.faculty.isNull())
            faculty = unit.faculty;
        if (department.isNull() && !unit.kafedra.isNull() && unit.faculty == faculty)
            department = unit.kafedra;
    }
    table.insert(columns, {QStringLiteral("F"), faculty, QStringLiteral("10")});
    table.insert(columns, {QStringLiteral("K"), department, QStringLiteral("10.1")});
}

} // namespace

void insertDemoFormData(Engine& engine, const DemoOrganisation& organisation)
{
    insertScale(engine);
    setRequisites(engine);
    insertUnitCodes(engine, organisation);
}

} // namespace zeb
