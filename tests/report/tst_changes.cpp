#include "platform/Error.h"
#include "report/change/ChangesFile.h"
#include "report/change/ChangesHtml.h"
#include "report/change/ChangesReport.h"
#include "tests/report/ChangesFixture.h"
#include "tests/report/XlsxContents.h"
#include "tests/support/EngineConnections.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace zeb;

namespace {

QString figuresText(const ChangeFigures& f)
{
    return QStringLiteral("%1/%2/%3/%4/%5")
        .arg(f.start)
        .arg(f.entered)
        .arg(f.withdrawn)
        .arg(f.changed)
        .arg(f.end);
}

QString keys(const QList<ChangedLine>& lines, bool withDifference = false)
{
    QStringList list;
    for (const ChangedLine& line : lines)
        list.append(withDifference ? QStringLiteral("%1:%2").arg(line.key).arg(line.difference)
                                   : QString::number(line.key));
    return list.join(u',');
}

// unit | code | entered | withdrawn | changed with their differences | start/entered/withdrawn/changed/end
QString layout(const ChangesReport& report)
{
    QStringList rows;
    for (const ChangesGroup& group : report.groups)
        rows.append(QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6")
                        .arg(group.unit, group.code, keys(group.entered), keys(group.withdrawn),
                             keys(group.changed, true), figuresText(group.figures)));
    return rows.join(u'\n');
}

const ChangedLine* changedLine(const ChangesReport& report, qint64 key)
{
    for (const ChangesGroup& group : report.groups) {
        for (const ChangedLine& line : group.changed) {
            if (line.key == key)
                return &line;
        }
    }
    return nullptr;
}

// The row of the first cell in column A holding `text`; 0 when none does.
int rowOf(const XlsxContents& contents, const QString& text)
{
    for (auto cell = contents.cells.begin(); cell != contents.cells.end(); ++cell) {
        if (cell.key().startsWith(u'A') && cell->value == text)
            return cell.key().mid(1).toInt();
    }
    return 0;
}

} // namespace

class ChangesTest : public QObject
{
    Q_OBJECT

private:
    EngineConnections m_engines;

    Connection& connection() { return m_engines.current(); }

    ChangesReport load() { return loadChangesReport(connection(), changesFrom(), changesTo()); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(
            m_engines.install([](Connection& connection, TestInstallation& installation) {
                loadChangesFixture(connection, *installation.adminEngine());
            }));
    }

    void cleanupTestCase() { m_engines.clear(); }

    // Entered and withdrawn the day before the period, on its first and its last day and the day after;
    // changed before, in and after it. Each unit's start + entered − withdrawn + changed is its end.
    void countsEachUnitOverThePeriod_data() { addEngineRows(); }
    void countsEachUnitOverThePeriod()
    {
        const ChangesReport report = load();
        QCOMPARE(
            layout(report),
            QStringLiteral("Архив | 3 | 21,22 |  |  | 125/125/0/0/250\n"
                           "Бухгалтерия | 0101 | 2,3 | 19,5 |  | 325/150/125/0/350\n"
                           "Бухгалтерия / Группа учёта | 1.6 |  |  | 9:-100 | 100/0/0/-100/0\n"
                           "Бухгалтерия / Расчётная группа | 1.2 |  |  |  | 100/0/0/0/100\n"
                           "Отдел \"кадров\" <&> учёта | 5 | 28 | 25,26,28 |  | 375/10/135/0/250\n"
                           "Физико-математический факультет | Ф1 |  |  | 12:50 | 100/0/0/50/150\n"
                           "Физико-математический факультет / Деканат | 0400 |  |  | 13:0 | 100/0/0/0/100\n"
                           "Физико-математический факультет / Кафедра алгебры | К-02 |  |  |  | 50/0/0/0/50\n"
                           "Физико-математический факультет / Кафедра физики | 1.1 |  |  |  | 100/0/0/0/100\n"
                           "Факультет юриспруденции / Кафедра алгебры | К-02 |  |  |  | 100/0/0/0/100"));
        QCOMPARE(figuresText(report.total), QStringLiteral("1475/285/260/-50/1450"));
        QCOMPARE(report.institution, QStringLiteral("Северный государственный университет"));
    }

    void showsWhatChangedAndTheOrders_data() { addEngineRows(); }
    void showsWhatChangedAndTheOrders()
    {
        const ChangesReport report = load();
        const ChangedLine* units = changedLine(report, 12);
        QVERIFY(units);
        QCOMPARE(units->changes.size(), 1);
        QCOMPARE(units->changes.first().changed, QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
        QCOMPARE(
            units->changes.first().columns,
            QList<ColumnChange>({{QStringLiteral("Кол. ед."), QStringLiteral("1"), QStringLiteral("1,5")}}));
        QCOMPARE(units->units, qint64(150));
        QCOMPARE(units->orderNumber, QStringLiteral("12-к"));
        QCOMPARE(units->orderDate, QDate(2017, 9, 1));
        const ChangedLine* post = changedLine(report, 13);
        QVERIFY(post);
        QCOMPARE(post->post, QStringLiteral("Профессор"));
        QCOMPARE(post->changes.first().columns,
                 QList<ColumnChange>(
                     {{QStringLiteral("Должность"), QStringLiteral("Бухгалтер"), QStringLiteral("Профессор")},
                      {QStringLiteral("Разряд"), QStringLiteral("8"), QStringLiteral("9")}}));
        const ChangedLine* deleted = changedLine(report, 9);
        QVERIFY(deleted);
        QCOMPARE(deleted->changes.first().kind, LineChange::Kind::Deleted);
        QCOMPARE(deleted->units, qint64(100));
        const ChangesGroup& accounts = report.groups.at(1);
        QCOMPARE(accounts.withdrawn.first().orderNumber, QStringLiteral("19-в"));
        QCOMPARE(accounts.withdrawn.first().orderDate, QDate(2024, 3, 15));
        QCOMPARE(accounts.withdrawn.first().difference, qint64(-100));
        QCOMPARE(accounts.entered.first().orderNumber, QStringLiteral("2-к"));
        QCOMPARE(accounts.entered.first().orderDate, QDate(2024, 3, 15));
    }

    // A day's period, and a period before anything happened: the figures of the lines in force alone.
    void shortAndQuietPeriods_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("total");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s first day", name)
                << engine << changesFrom() << changesFrom() << QStringLiteral("1475/50/50/0/1475");
            QTest::addRow("%s quiet", name)
                << engine << QDate(2022, 6, 1) << QDate(2022, 6, 30) << QStringLiteral("1450/0/0/0/1450");
        }
    }
    void shortAndQuietPeriods()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, total);
        const ChangesReport report = loadChangesReport(connection(), from, to);
        QCOMPARE(figuresText(report.total), total);
    }

    void refusesAReversedPeriod()
    {
        Connection& any = m_engines.connection(EngineKind::Sqlite);
        QVERIFY_THROWS_EXCEPTION(Error, loadChangesReport(any, QDate(2024, 4, 1), QDate(2024, 3, 31)));
        try {
            loadChangesReport(any, QDate(2024, 4, 1), QDate(2024, 3, 31));
        } catch (const Error& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Период указан наоборот: его начало 01.04.2024 позже конца 31.03.2024."));
        }
    }

    void writesThePage_data() { addEngineRows(); }
    void writesThePage()
    {
        const QString html = changesHtml(load());
        QVERIFY(html.contains(QStringLiteral(
            "<h1>Изменения штатного расписания</h1>\n<p>за период с 01.03.2024 по 31.03.2024</p>")));
        QVERIFY(
            html.contains(QStringLiteral("<tr class=\"unit\"><td colspan=\"6\">Архив (код 3)</td></tr>\n"
                                         "<tr class=\"section\"><td colspan=\"6\">Введены</td></tr>\n"
                                         "<tr><td>3</td><td>Бухгалтер</td><td class=\"number\">0,5</td>"
                                         "<td class=\"number\">+0,5</td><td>21-к от 01.03.2024</td><td></td>"
                                         "</tr>")));
        QVERIFY(html.contains(QStringLiteral("<td class=\"number\">+0,5</td><td>12-к от 01.09.2017</td>"
                                             "<td>10.03.2024 Кол. ед.: 1 → 1,5</td>")));
        QVERIFY(html.contains(QStringLiteral("<td>20.03.2024 строка удалена</td>")));
        QVERIFY(html.contains(QStringLiteral("Отдел &quot;кадров&quot; &lt;&amp;&gt; учёта")));
        QVERIFY(html.contains(QStringLiteral(
            "<tr class=\"grand\"><td colspan=\"2\">Всего по учреждению</td><td class=\"number\">14,75</td>"
            "<td class=\"number\">2,85</td><td class=\"number\">2,6</td><td class=\"number\">-0,5</td>"
            "<td class=\"number\">14,5</td></tr>")));
    }

    void writesTheSpreadsheet_data() { addEngineRows(); }
    void writesTheSpreadsheet()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("изменения.xlsx"));
        writeChangesReport(load(), path);
        const XlsxContents contents = readXlsx(path);
        QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
        QCOMPARE(contents.text(QStringLiteral("A2")), QStringLiteral("Изменения штатного расписания"));
        const int grand = rowOf(contents, QStringLiteral("Всего по учреждению"));
        QVERIFY(grand > 0);
        const QStringList columns{QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"),
                                  QStringLiteral("F"), QStringLiteral("G")};
        const QStringList expected{QStringLiteral("14.75"), QStringLiteral("2.85"), QStringLiteral("2.6"),
                                   QStringLiteral("-0.5"), QStringLiteral("14.5")};
        for (int i = 0; i < columns.size(); ++i) {
            const XlsxCell cell = contents.cells.value(columns[i] + QString::number(grand));
            QVERIFY2(cell.isNumber(), qPrintable(columns[i]));
            QCOMPARE(cell.value, expected[i]);
            QCOMPARE(cell.numberFormat, QStringLiteral("0.00"));
        }
        const int archive = rowOf(contents, QStringLiteral("Архив (код 3)"));
        QVERIFY(archive > 0);
        QCOMPARE(contents.text(QStringLiteral("A%1").arg(archive + 1)), QStringLiteral("Введены"));
        QCOMPARE(contents.text(QStringLiteral("E%1").arg(archive + 2)), QStringLiteral("21-к от 01.03.2024"));
        QCOMPARE(contents.text(QStringLiteral("D%1").arg(archive + 2)), QStringLiteral("0.5"));
    }

    void refusesAnotherExtension()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("изменения.txt"));
        QVERIFY_THROWS_EXCEPTION(Error, writeChangesReport(ChangesReport{}, path));
        QVERIFY(!QFileInfo::exists(path));
    }
};

QTEST_GUILESS_MAIN(ChangesTest)
#include "tst_changes.moc"
