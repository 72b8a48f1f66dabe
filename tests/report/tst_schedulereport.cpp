#include "platform/Error.h"
#include "report/ScheduleReport.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/EngineConnections.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <algorithm>
#include <map>

using namespace zeb;

namespace {

// One text line a group: unit | code | entry order numbers of its lines | its staff units.
QString layout(const ScheduleReport& report)
{
    QStringList rows;
    for (const ReportGroup& group : report.groups) {
        QStringList orders;
        for (const ReportLine& line : group.lines)
            orders.append(line.orderNumber);
        rows.append(QStringLiteral("%1 | %2 | %3 | %4")
                        .arg(group.unit, group.code, orders.join(QLatin1Char(',')))
                        .arg(group.units));
    }
    return rows.join(QLatin1Char('\n'));
}

// The keys of every line in the report, ascending.
QList<int> lineKeys(const ScheduleReport& report)
{
    QList<int> keys;
    for (const ReportGroup& group : report.groups) {
        for (const ReportLine& line : group.lines)
            keys.append(line.orderNumber.chopped(2).toInt());
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

QStringList unitNames(const ScheduleReport& report)
{
    QStringList names;
    for (const ReportGroup& group : report.groups)
        names.append(group.unit);
    return names;
}

const ReportLine* findLine(const ScheduleReport& report, const QString& orderNumber)
{
    for (const ReportGroup& group : report.groups) {
        for (const ReportLine& line : group.lines) {
            if (line.orderNumber == orderNumber)
                return &line;
        }
    }
    return nullptr;
}

} // namespace

class ScheduleReportTest : public QObject
{
    Q_OBJECT

private:
    // The tests only read: one installation with the fixture per engine serves them all.
    EngineConnections m_engines;

    Connection& connection() { return m_engines.current(); }

    // Rows for each engine under `label`; the caller adds the other columns.
    static QTestData& engineRow(EngineKind engine, const char* label)
    {
        for (const auto& [name, kind] : installableEngines) {
            if (kind == engine)
                return QTest::addRow("%s %s", name, label) << engine;
        }
        Q_UNREACHABLE();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_engines.install(
            [](Connection& connection, TestInstallation&) { loadReportFixture(connection); }));
    }

    void cleanupTestCase() { m_engines.clear(); }

    void groupsTheLinesOfTheDay_data() { addEngineRows(); }
    void groupsTheLinesOfTheDay()
    {
        const ScheduleReport report = loadScheduleReport(connection(), reportDay());
        QCOMPARE(layout(report),
                 QStringLiteral("Архив | 3 | 10-к | 1\n"
                                "Бухгалтерия | 0101 | 2-к,1-к,19-к,6-к,7-к | 3.5\n"
                                "Бухгалтерия / Группа учёта | 1.6 | 9-к | 1\n"
                                "Бухгалтерия / Расчётная группа | 1.2 | 8-к | 0.75\n"
                                "Отдел \"кадров\" <&> учёта | 5 | 11-к | 1.5\n"
                                "Физико-математический факультет | Ф1 | 12-к | 1\n"
                                "Физико-математический факультет / Деканат | 0400 | 13-к | 1\n"
                                "Физико-математический факультет / Кафедра алгебры | К-02 | 15-к | 0.5\n"
                                "Физико-математический факультет / Кафедра физики | 1.1 | 14-к | 1\n"
                                "Факультет юриспруденции / Кафедра алгебры | К-02 | 16-к | 1"));
        QCOMPARE(report.totalUnits, 12.25);
        QCOMPARE(report.lineCount, 14);
        QCOMPARE(report.asOf, reportDay());
        QCOMPARE(report.institution, QStringLiteral("Северный государственный университет"));
        QCOMPARE(report.requisites, fixtureRequisites());
    }

    void countsTheLinesOfThatDay_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<double>("total");
        for (const auto& [name, engine] : installableEngines) {
            engineRow(engine, "before records") << QDate(2000, 1, 1) << QList<int>{7} << 0.25;
            engineRow(engine, "the day before")
                << QDate(2024, 3, 14) << QList<int>{1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19} << 12.0;
            engineRow(engine, "the day")
                << reportDay() << QList<int>{1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19} << 12.25;
            engineRow(engine, "when line 6 goes")
                << QDate(2024, 6, 20) << QList<int>{1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19}
                << 13.5;
        }
    }
    void countsTheLinesOfThatDay()
    {
        QFETCH(QDate, day);
        QFETCH(QList<int>, keys);
        QFETCH(double, total);
        const ScheduleReport report = loadScheduleReport(connection(), day);
        QCOMPARE(lineKeys(report), keys);
        QCOMPARE(report.lineCount, keys.size());
        QCOMPARE(report.totalUnits, total);
    }

    void keepsTheUnitsNamed_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<double>("total");
        for (const auto& [name, engine] : installableEngines) {
            engineRow(engine, "departments in capitals")
                << QStringLiteral("АЛГЕБР")
                << QStringList{QStringLiteral("Физико-математический факультет / Кафедра алгебры"),
                               QStringLiteral("Факультет юриспруденции / Кафедра алгебры")}
                << 1.5;
            engineRow(engine, "a division with its sub-levels")
                << QStringLiteral("бухгалтерия")
                << QStringList{QStringLiteral("Бухгалтерия"), QStringLiteral("Бухгалтерия / Группа учёта"),
                               QStringLiteral("Бухгалтерия / Расчётная группа")}
                << 5.25;
            engineRow(engine, "markup characters")
                << QStringLiteral("<&>") << QStringList{QStringLiteral("Отдел \"кадров\" <&> учёта")} << 1.5;
            engineRow(engine, "nothing") << QStringLiteral("Библиотека") << QStringList() << 0.0;
        }
    }
    void keepsTheUnitsNamed()
    {
        QFETCH(QString, unit);
        QFETCH(QStringList, units);
        QFETCH(double, total);
        const ScheduleReport report = loadScheduleReport(connection(), reportDay(), unit);
        QCOMPARE(unitNames(report), units);
        QCOMPARE(report.totalUnits, total);
    }

    void readsEveryColumnOfALine_data() { addEngineRows(); }
    void readsEveryColumnOfALine()
    {
        const ScheduleReport report = loadScheduleReport(connection(), reportDay());
        const ReportLine* professor = findLine(report, QStringLiteral("12-к"));
        QVERIFY(professor);
        QCOMPARE(professor->post, QStringLiteral("Профессор"));
        QCOMPARE(professor->category, QStringLiteral("ППС"));
        QCOMPARE(professor->payGrade, QStringLiteral("17"));
        QCOMPARE(professor->units, 1.0);
        QCOMPARE(professor->hourlyFund.toDouble(), 250.5);
        QCOMPARE(professor->funding, QStringLiteral("Бюджет"));
        QCOMPARE(professor->orderDate, QDate(2017, 9, 1));

        const ReportLine* noFund = findLine(report, QStringLiteral("15-к"));
        QVERIFY(noFund);
        QVERIFY(noFund->hourlyFund.isNull());
        QCOMPARE(noFund->funding, QStringLiteral("Грант"));
        QCOMPARE(findLine(report, QStringLiteral("7-к"))->orderDate, QDate());

        QCOMPARE(professor->note, QStringLiteral("Ставка на время\nотпуска <по уходу>"));
        QCOMPARE(noFund->note, QString());
    }

    // Column 5 is the grade's salary in force on the report's date, column 9 that salary times the staff
    // units to the kopeck; a grade without a salary leaves both empty.
    void paysTheSalaryInForceOnTheDay_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("order");
        QTest::addColumn<qint64>("salary");
        QTest::addColumn<qint64>("total");
        for (const auto& [name, engine] : installableEngines) {
            engineRow(engine, "raised before the day, not yet after it")
                << QStringLiteral("8-к") << qint64(2750050) << qint64(2062538);
            engineRow(engine, "raised on the day")
                << QStringLiteral("14-к") << qint64(3800000) << qint64(3800000);
            engineRow(engine, "half a unit") << QStringLiteral("2-к") << qint64(3000001) << qint64(1500001);
            engineRow(engine, "half a kopeck rounded up")
                << QStringLiteral("11-к") << qint64(3333333) << qint64(5000000);
            engineRow(engine, "grade without a salary") << QStringLiteral("13-к") << qint64(-1) << qint64(-1);
        }
    }
    void paysTheSalaryInForceOnTheDay()
    {
        QFETCH(QString, order);
        QFETCH(qint64, salary);
        QFETCH(qint64, total);
        const ScheduleReport report = loadScheduleReport(connection(), reportDay());
        const ReportLine* line = findLine(report, order);
        QVERIFY(line);
        const auto money = [](qint64 kopecks) {
            return kopecks < 0 ? std::nullopt : std::optional(Money::fromKopecks(kopecks));
        };
        QCOMPARE(line->salary, money(salary));
        QCOMPARE(line->monthlyTotal, money(total));
    }

    void totalsTheMoneyOfTheUnitsShown_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QList<qint64>>("unitTotals");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("withoutSalary");
        for (const auto& [name, engine] : installableEngines) {
            engineRow(engine, "all") << QString()
                                     << QList<qint64>{2000000, 11130430, 2750050, 2062538, 5000000,
                                                      5555555, 0,        1900000, 3800000, 5000000}
                                     << qint64(39198573) << 2;
            engineRow(engine, "departments")
                << QStringLiteral("кафедра") << QList<qint64>{1900000, 3800000, 5000000} << qint64(10700000)
                << 0;
            engineRow(engine, "a dean's office without salaries")
                << QStringLiteral("деканат") << QList<qint64>{0} << qint64(0) << 1;
        }
    }
    void totalsTheMoneyOfTheUnitsShown()
    {
        QFETCH(QString, unit);
        QFETCH(QList<qint64>, unitTotals);
        QFETCH(qint64, total);
        QFETCH(int, withoutSalary);
        const ScheduleReport report = loadScheduleReport(connection(), reportDay(), unit);
        QList<qint64> totals;
        for (const ReportGroup& group : report.groups)
            totals.append(group.monthlyTotal.kopecks());
        QCOMPARE(totals, unitTotals);
        QCOMPARE(report.monthlyTotal, Money::fromKopecks(total));
        QCOMPARE(report.linesWithoutSalary, withoutSalary);
    }

    void tellsItsProgressAndStopsWhenAsked_data() { addEngineRows(); }
    void tellsItsProgressAndStopsWhenAsked()
    {
        QList<std::pair<int, int>> calls;
        loadScheduleReport(connection(), reportDay(), {}, [&](int done, int total) {
            calls.append({done, total});
            return true;
        });
        QVERIFY(!calls.isEmpty());
        QCOMPARE(calls.first(), std::pair(0, 19));
        QCOMPARE(calls.last(), std::pair(19, 19));

        int asked = 0;
        QVERIFY_THROWS_EXCEPTION(
            Abort, loadScheduleReport(connection(), reportDay(), {}, [&](int, int) { return ++asked < 1; }));
        QCOMPARE(asked, 1);
    }
};

QTEST_GUILESS_MAIN(ScheduleReportTest)
#include "tst_schedulereport.moc"
