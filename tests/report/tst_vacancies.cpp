#include "report/vacancy/LineOccupancy.h"
#include "report/vacancy/VacancyHtml.h"
#include "report/vacancy/VacancyReport.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/VacancyFixture.h"
#include "tests/support/EngineConnections.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <map>

Q_DECLARE_METATYPE(zeb::VacancyScope)

using namespace zeb;

namespace {

QString figuresText(const VacancyFigures& f)
{
    return QStringLiteral("%1/%2/%3/%4").arg(f.units).arg(f.occupied).arg(f.vacant).arg(f.over);
}

// unit | code | posts of vacant lines with their vacant units | posts of lines over |
// units/occupied/vacant/over
QString layout(const VacancyReport& report)
{
    QStringList rows;
    for (const VacancyGroup& group : report.groups) {
        QStringList vacant;
        for (const VacancyLine& line : group.vacantLines)
            vacant.append(QStringLiteral("%1 %2").arg(line.post).arg(line.vacant()));
        QStringList over;
        for (const VacancyLine& line : group.overLines)
            over.append(QStringLiteral("%1 %2").arg(line.post).arg(-line.vacant()));
        rows.append(QStringLiteral("%1 | %2 | %3 | %4 | %5")
                        .arg(group.unit, group.code, vacant.join(QLatin1Char(',')),
                             over.join(QLatin1Char(',')), figuresText(group.figures)));
    }
    return rows.join(QLatin1Char('\n'));
}

QString totals(const QList<VacancyTotal>& list)
{
    QStringList rows;
    for (const VacancyTotal& total : list)
        rows.append(total.name + QStringLiteral(" ") + figuresText(total.figures));
    return rows.join(QLatin1Char('\n'));
}

} // namespace

class VacanciesTest : public QObject
{
    Q_OBJECT

private:
    EngineConnections m_engines;

    Connection& connection() { return m_engines.current(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_engines.install([](Connection& connection, TestInstallation&) {
            loadReportFixture(connection);
            loadVacancyPlacements(connection);
        }));
    }

    void cleanupTestCase() { m_engines.clear(); }

    void countsTheEmployeesOfTheDay_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("line");
        QTest::addColumn<qint64>("occupied");
        const QDate day = reportDay();
        for (const auto& [name, engine] : installableEngines) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s %s", name, label) << engine;
            };
            row("came the day after: not yet") << day << 1 << qint64(50);
            row("came: from that day") << day.addDays(1) << 1 << qint64(150);
            row("came in the afternoon: not the day before") << day.addDays(-1) << 1 << qint64(0);
            row("leaves that day: no longer") << day << 19 << qint64(50);
            row("leaves: up to the day before") << day.addDays(-1) << 19 << qint64(150);
            row("left the day after: still") << day.addDays(1) << 19 << qint64(0);
            row("no leaving recorded") << day << 10 << qint64(100);
            row("over the units") << day << 11 << qint64(175);
            row("several at one rate, exactly") << day << 12 << qint64(50);
            row("left without a date") << day << 13 << qint64(0);
            row("left the day before") << day << 14 << qint64(0);
            row("left: counted two days before") << day.addDays(-2) << 14 << qint64(100);
            row("date over kind") << day << 15 << qint64(0);
            row("leaving ahead: still there") << day << 16 << qint64(100);
            row("leaving ahead: gone on its day") << QDate(2024, 9, 1) << 16 << qint64(0);
            row("nobody") << day << 6 << qint64(0);
        }
    }
    void countsTheEmployeesOfTheDay()
    {
        QFETCH(QDate, day);
        QFETCH(int, line);
        QFETCH(qint64, occupied);
        const LineOccupancy occupancy = LineOccupancy::load(connection(), day);
        QCOMPARE(occupancy.occupiedHundredths(line), occupied);
    }

    void keepsToTheUnit_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<VacancyScope>("scope");
        QTest::addColumn<QList<int>>("counted");
        QTest::addColumn<QList<int>>("left");
        for (const auto& [name, engine] : installableEngines) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s %s", name, label) << engine;
            };
            row("division") << VacancyScope{1, {}, {}, {}, {}} << QList<int>{1, 2, 19}
                            << QList<int>{9, 10, 11};
            row("sub-level") << VacancyScope{1, 6, {}, {}, {}} << QList<int>{9} << QList<int>{1, 2};
            row("faculty") << VacancyScope{{}, {}, 1, {}, {}} << QList<int>{12} << QList<int>{16};
            row("department") << VacancyScope{{}, {}, 2, {}, 2} << QList<int>{16} << QList<int>{12};
        }
    }
    void keepsToTheUnit()
    {
        QFETCH(VacancyScope, scope);
        QFETCH(QList<int>, counted);
        QFETCH(QList<int>, left);
        const LineOccupancy occupancy = LineOccupancy::load(connection(), reportDay(), scope);
        for (int line : counted)
            QVERIFY2(occupancy.occupiedHundredths(line) > 0, qPrintable(QString::number(line)));
        for (int line : left)
            QCOMPARE(occupancy.occupiedHundredths(line), qint64(0));
    }

    void reportsTheUnitsWithVacancies_data() { addEngineRows(); }
    void reportsTheUnitsWithVacancies()
    {
        const VacancyReport report = loadVacancyReport(connection(), reportDay());
        QCOMPARE(layout(report),
                 QStringLiteral(
                     "Бухгалтерия | 0101 | Главный бухгалтер 50,Бухгалтер 50,Бухгалтер 75,Бухгалтер 25 | "
                     "Бухгалтер 25 | "
                     "350/175/200/25\n"
                     "Бухгалтерия / Расчётная группа | 1.2 | Бухгалтер 75 |  | 75/0/75/0\n"
                     "Отдел \"кадров\" <&> учёта | 5 |  | Бухгалтер 25 | 150/175/0/25\n"
                     "Физико-математический факультет | Ф1 | Профессор 50 |  | 100/50/50/0\n"
                     "Физико-математический факультет / Деканат | 0400 | Бухгалтер 100 |  | 100/0/100/0\n"
                     "Физико-математический факультет / Кафедра алгебры | К-02 | Доцент 50 |  | 50/0/50/0\n"
                     "Физико-математический факультет / Кафедра физики | 1.1 | Доцент 100 |  | 100/0/100/0"));
        QCOMPARE(figuresText(report.total), QStringLiteral("1225/700/575/50"));
        QCOMPARE(totals(report.byCategory), QStringLiteral("АУП 675/450/275/50\n"
                                                           "ПОП 100/100/0/0\n"
                                                           "ППС 350/150/200/0\n"
                                                           "УВП 100/0/100/0"));
        QCOMPARE(totals(report.byFunding), QStringLiteral("Бюджет 975/450/525/0\n"
                                                          "Внебюдж. 200/250/0/50\n"
                                                          "Грант 50/0/50/0"));
        QCOMPARE(report.lineCount, 14);
    }

    void writesThePage_data() { addEngineRows(); }
    void writesThePage()
    {
        const QString html = vacancyHtml(loadVacancyReport(connection(), reportDay()));
        QVERIFY(html.contains(QStringLiteral("<h1>Вакансии</h1>\n<p>по состоянию на 15.03.2024</p>")));
        QVERIFY(html.contains(QStringLiteral("<h2>Сверх штата</h2>\n<table>\n")));
        QVERIFY(html.contains(
            QStringLiteral("<tr class=\"unit\"><td colspan=\"7\">Отдел &quot;кадров&quot; &lt;&amp;&gt; "
                           "учёта</td></tr>\n<tr><td>5</td><td>Бухгалтер</td>")));
        QVERIFY(html.contains(QStringLiteral("<td colspan=\"6\">Всего сверх штата</td>"
                                             "<td class=\"number\">0,5</td>")));
        QVERIFY(html.contains(
            QStringLiteral("<td colspan=\"4\">Всего по учреждению</td><td class=\"number\">"
                           "12,25</td><td class=\"number\">7</td><td class=\"number\">5,75</td>")));
    }
};

QTEST_GUILESS_MAIN(VacanciesTest)
#include "tst_vacancies.moc"
