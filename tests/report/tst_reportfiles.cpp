#include "data/Connection.h"
#include "platform/Error.h"
#include "report/ReportFile.h"
#include "report/ReportHtml.h"
#include "tests/report/PdfSheets.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace zeb;

namespace {

// Enough lines in the archive for the table to run over several sheets.
constexpr int archiveLines = 120;

// Every sheet shows the table's headings and "Лист N из M".
bool everySheetHasHeadingsAndNumber(const QStringList& sheets)
{
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        for (const char* heading :
             {"Должность", "квалификации", "Надбавки, руб.", "финансирования", "Приказ о вводе"}) {
            if (!sheets.at(i).contains(QString::fromUtf8(heading))) {
                qWarning("Sheet %lld has no heading %s:\n%s", i + 1, heading, qPrintable(sheets.at(i)));
                return false;
            }
        }
        if (!sheets.at(i).contains(QStringLiteral("Лист %1 из %2").arg(i + 1).arg(sheets.size()))) {
            qWarning("Sheet %lld has no number:\n%s", i + 1, qPrintable(sheets.at(i)));
            return false;
        }
    }
    return true;
}

// Twenty units of a hundred lines each.
ScheduleReport longReport()
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = reportDay();
    for (int unit = 1; unit <= 20; ++unit) {
        ReportGroup group{QStringLiteral("Отдел %1").arg(unit), QString::number(unit), {}, 100, {}};
        for (int line = 1; line <= 100; ++line)
            group.lines.append(ReportLine{QStringLiteral("Инженер"),
                                          QStringLiteral("УВП"),
                                          QStringLiteral("10"),
                                          1,
                                          {},
                                          QStringLiteral("Бюджет"),
                                          QStringLiteral("%1-к").arg(line),
                                          QDate(2020, 1, 9),
                                          {},
                                          {},
                                          {}});
        report.groups.append(group);
    }
    report.totalUnits = 2000;
    report.lineCount = 2000;
    return report;
}

QByteArray fileStart(const QString& path, int size)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(size) : QByteArray();
}

} // namespace

class ReportFilesTest : public QObject
{
    Q_OBJECT

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
    std::map<EngineKind, ScheduleReport> m_reports;
    QTemporaryDir m_files;

    const ScheduleReport& report()
    {
        QFETCH(EngineKind, engine);
        return m_reports.at(engine);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        for (const auto& [name, engine] : installableEngines) {
            QVERIFY_THROWS_NO_EXCEPTION(m_installations[engine] = std::make_unique<TestInstallation>(engine));
            std::unique_ptr<Connection> connection;
            QVERIFY_THROWS_NO_EXCEPTION(connection = m_installations[engine]->signedInConnection());
            QVERIFY_THROWS_NO_EXCEPTION(loadReportFixture(*connection));
            for (int number = 2; number <= archiveLines + 1; ++number)
                connection->execute(QStringLiteral("insert into Vakansii (id_otdel_1, id_post, q_units, Num, "
                                                   "e_d_p) values (3, 4, 1, %1, '01.02.2018')")
                                        .arg(number));
            QVERIFY_THROWS_NO_EXCEPTION(m_reports[engine] = loadScheduleReport(*connection, reportDay()));
        }
    }

    void cleanupTestCase() { m_installations.clear(); }

    void htmlPageShowsTheReport_data() { addEngineRows(); }
    void htmlPageShowsTheReport()
    {
        const QString html = reportHtml(report());
        QVERIFY(html.startsWith(QLatin1String("<!DOCTYPE html>")));
        for (const char* text :
             {"<title>Штатное расписание</title>", "<td class=\"title\">ШТАТНОЕ РАСПИСАНИЕ</td>",
              "<td class=\"institution\">Северный государственный университет</td>",
              "<p class=\"period\">на период с «15» марта 2024 г.</p>",
              // Line 8 of the payroll group: code, post with grade and category, units, no hourly fund.
              "<tr><td></td><td>1.2</td><td>Бухгалтер, 9 разряд, АУП</td><td class=\"number\">0,75</td>",
              "<td class=\"number\"></td><td>Бюджет</td><td>8-к от 01.02.2021</td></tr>",
              "<td class=\"number\">250,5</td>", "<td>7-к</td>",
              "<tr class=\"unit\"><td>Отдел &quot;кадров&quot; &lt;&amp;&gt; учёта</td>",
              "<td colspan=\"3\">Итого по подразделению</td><td class=\"number\">3,50</td>",
              "<td colspan=\"3\">Всего</td><td class=\"number\">132,25</td>"})
            QVERIFY2(html.contains(QString::fromUtf8(text)), text);
        QStringList headings;
        QRegularExpressionMatchIterator cells =
            QRegularExpression(QStringLiteral("<th[^>]*>([^<]*)</th>")).globalMatch(html);
        while (cells.hasNext())
            headings.append(cells.next().captured(1));
        // The form's headings, columns 6 to 8 under one, then the column numbers.
        QCOMPARE(headings.size(), 11 + 3 + 13);
        QCOMPARE(headings.first(), QStringLiteral("Структурное подразделение, наименование"));
        QCOMPARE(headings.at(5), QStringLiteral("Надбавки, руб."));
        QCOMPARE(headings.at(10), QStringLiteral("Приказ о вводе: № и дата"));
        QCOMPARE(headings.mid(14, 3),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(headings.last(), QStringLiteral("13"));
        QVERIFY(!html.contains(QStringLiteral("<&>")));
        QCOMPARE(html.count(QStringLiteral("<table class=\"form")), 1);
        QCOMPARE(html.count(QStringLiteral("Итого по подразделению")), report().groups.size());
        // Self-contained: nothing to fetch.
        for (const char* reference : {"src=", "href=", "<link", "@import", "url("})
            QVERIFY2(!html.contains(QLatin1String(reference)), reference);
    }

    void pdfSheetsRepeatTheHeadings_data() { addEngineRows(); }
    void pdfSheetsRepeatTheHeadings()
    {
        const QString pdf =
            m_files.filePath(QStringLiteral("report-%1.pdf").arg(QLatin1String(QTest::currentDataTag())));
        QVERIFY_THROWS_NO_EXCEPTION(writeReport(report(), pdf));
        const QStringList sheets = pdfSheetTexts(pdf);
        QVERIFY2(sheets.size() >= 3, qPrintable(QString::number(sheets.size())));
        QVERIFY(everySheetHasHeadingsAndNumber(sheets));
        const QString text = sheets.join(QLatin1Char('\n'));
        // The unit's name wraps within its column.
        for (const char* shown : {"на период с «15» марта 2024 г.", "Северный государственный университет",
                                  "Отдел \"кадров\" <&>", "Итого по подразделению", "3,50", "121,00"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
        QVERIFY(QRegularExpression(QStringLiteral("Всего\\s+132,25")).match(text).hasMatch());
    }

    // Past the rows one table holds: the next table starts a new sheet, with the headings again.
    void pdfOfThousandsOfLines()
    {
        const QString pdf = m_files.filePath(QStringLiteral("long.pdf"));
        QVERIFY_THROWS_NO_EXCEPTION(writeReport(longReport(), pdf));
        const QStringList sheets = pdfSheetTexts(pdf);
        QVERIFY2(sheets.size() >= 40, qPrintable(QString::number(sheets.size())));
        QVERIFY(everySheetHasHeadingsAndNumber(sheets));
        QVERIFY(QRegularExpression(QStringLiteral("Всего\\s+2000")).match(sheets.last()).hasMatch());
    }

    void fileFormatFollowsTheExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("pdf") << QStringLiteral("отчёт.pdf") << QByteArray("%PDF-");
        QTest::newRow("html") << QStringLiteral("отчёт.HTML") << QByteArray("<!DOCTYPE html>");
        QTest::newRow("htm") << QStringLiteral("отчёт.htm") << QByteArray("<!DOCTYPE html>");
        // A zip archive.
        QTest::newRow("xlsx") << QStringLiteral("отчёт.Xlsx") << QByteArray("PK\x03\x04");
    }
    void fileFormatFollowsTheExtension()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QVERIFY_THROWS_NO_EXCEPTION(writeReport(m_reports.at(EngineKind::Sqlite), path));
        QCOMPARE(fileStart(path, int(start.size())), start);
        // Written beside under another name and renamed: nothing else is left in the folder.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }

    void refusesOtherExtensions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("txt") << QStringLiteral("report.txt");
        QTest::newRow("none") << QStringLiteral("report");
        QTest::newRow("pdf inside") << QStringLiteral("report.pdf.bak");
    }
    void refusesOtherExtensions()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        try {
            writeReport(m_reports.at(EngineKind::Sqlite), path);
            QFAIL("no error");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral(".pdf, .html, .htm или .xlsx")), error.what());
            QVERIFY2(error.message().contains(path), error.what());
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void failedWriteNamesTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("pdf") << QStringLiteral("report.pdf");
        QTest::newRow("html") << QStringLiteral("report.html");
        QTest::newRow("xlsx") << QStringLiteral("report.xlsx");
    }
    void failedWriteNamesTheFile()
    {
        QFETCH(QString, name);
        // A folder that is a file cannot take the report, whoever runs the test.
        const QString notAFolder = m_files.filePath(QStringLiteral("plain-file"));
        QFile plain(notAFolder);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = notAFolder + QLatin1Char('/') + name;
        try {
            writeReport(m_reports.at(EngineKind::Sqlite), path);
            QFAIL("no error");
        } catch (const IoError& error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Не удалось записать файл «%1»").arg(path)),
                     error.what());
        }
    }
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(ReportFilesTest)
#include "tst_reportfiles.moc"
