#include "data/Connection.h"
#include "report/vacancy/VacancyPdf.h"
#include "tests/report/PdfSheets.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/VacancyFixture.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

const QStringList headings = {QStringLiteral("Код"),
                              QStringLiteral("Должность"),
                              QStringLiteral("Категория"),
                              QStringLiteral("Источник финансирования"),
                              QStringLiteral("Штатных единиц"),
                              QStringLiteral("Занято"),
                              QStringLiteral("Вакантно"),
                              QStringLiteral("Сверх штата")};

// Where a part's caption stands alone on its line; -1 when it does not.
qsizetype captionAt(const QString& text, const QString& caption)
{
    return text.indexOf(
        QRegularExpression(QStringLiteral("^ *%1 *$").arg(QRegularExpression::escape(caption)),
                           QRegularExpression::MultilineOption));
}

VacancyLine vacancyLine(const QString& post, qint64 units, qint64 occupied)
{
    return VacancyLine{post, QStringLiteral("ППС"), QStringLiteral("Бюджет"), units, occupied};
}

// `vacant` lines of a department with one unit vacant each, then `over` lines of another with 0,5 occupied
// beyond their unit each.
VacancyReport longReport(int vacant, int over)
{
    VacancyReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2024, 3, 15);
    VacancyGroup physics{QStringLiteral("Кафедра физики"), QStringLiteral("1.1"), {}, {}, {}};
    for (int i = 0; i < vacant; ++i) {
        physics.vacantLines.append(vacancyLine(QStringLiteral("Доцент %1").arg(i + 1), 100, 0));
        physics.figures.addLine(100, 0);
    }
    VacancyGroup algebra{QStringLiteral("Кафедра алгебры"), QStringLiteral("1.2"), {}, {}, {}};
    for (int i = 0; i < over; ++i) {
        algebra.overLines.append(vacancyLine(QStringLiteral("Профессор %1").arg(i + 1), 100, 150));
        algebra.figures.addLine(100, 150);
    }
    report.groups = {physics, algebra};
    report.total = physics.figures;
    report.total += algebra.figures;
    report.byCategory = {{QStringLiteral("ППС"), report.total}};
    report.byFunding = {{QStringLiteral("Бюджет"), report.total}};
    report.lineCount = vacant + over;
    return report;
}

} // namespace

class VacancyPdfTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_files;

    QStringList sheetsOf(const VacancyReport& report)
    {
        const QString pdf = m_files.filePath(QStringLiteral("vacancies.pdf"));
        writeVacancyPdf(report, pdf);
        return pdfSheetTexts(pdf);
    }

private Q_SLOTS:
    // The report as the schedule's tables and its employees give it, on every engine.
    void showsTheVacanciesOfTheDay_data() { addEngineRows(); }
    void showsTheVacanciesOfTheDay()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        VacancyReport loaded;
        {
            const std::unique_ptr<Connection> connection = installation->signedInConnection();
            loadReportFixture(*connection);
            loadVacancyPlacements(*connection);
            loaded = loadVacancyReport(*connection, reportDay());
        }
        const QStringList sheets = sheetsOf(loaded);
        const QString text = sheets.join(u'\n');
        const qsizetype over = captionAt(text, QStringLiteral("Сверх штата"));
        const qsizetype byCategory = captionAt(text, QStringLiteral("Итого по категориям персонала"));
        const qsizetype byFunding = captionAt(text, QStringLiteral("Итого по источникам финансирования"));
        QVERIFY2(0 < over && over < byCategory && byCategory < byFunding, qPrintable(text));
        const QString vacant = text.left(over);
        const QString overLines = text.mid(over, byCategory - over);
        QVERIFY2(captionAt(vacant, QStringLiteral("Вакансии")) >= 0, qPrintable(vacant));
        QVERIFY2(captionAt(vacant, QStringLiteral("по состоянию на 15.03.2024")) >= 0, qPrintable(vacant));
        QVERIFY2(vacant.contains(QStringLiteral("Занято — сумма ставок")), qPrintable(vacant));
        QVERIFY2(onOneLine(vacant, headings), qPrintable(vacant));
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Бухгалтерия / Расчётная группа")},
                 {QStringLiteral("1.2"), QStringLiteral("Бухгалтер"), QStringLiteral("АУП"),
                  QStringLiteral("Бюджет"), QStringLiteral("0,75"), QStringLiteral("0"),
                  QStringLiteral("0,75")},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("3,5"), QStringLiteral("1,75"),
                  QStringLiteral("2")},
                 {QStringLiteral("Всего по учреждению"), QStringLiteral("12,25"), QStringLiteral("7"),
                  QStringLiteral("5,75")},
             })
            QVERIFY2(onOneLine(vacant, parts), qPrintable(parts.join(u'|') + u'\n' + vacant));
        // Occupied beyond its units: apart, under its unit, not among the vacancies.
        const QString crowded = QStringLiteral("Отдел \"кадров\" <&> учёта");
        QVERIFY2(!vacant.contains(crowded), qPrintable(vacant));
        for (const QStringList& parts : QList<QStringList>{
                 {crowded},
                 {QStringLiteral("5"), QStringLiteral("Бухгалтер"), QStringLiteral("АУП"),
                  QStringLiteral("Внебюдж."), QStringLiteral("1,5"), QStringLiteral("1,75"),
                  QStringLiteral("0,25")},
                 {QStringLiteral("Всего сверх штата"), QStringLiteral("0,5")},
             })
            QVERIFY2(onOneLine(overLines, parts), qPrintable(parts.join(u'|') + u'\n' + overLines));
        QVERIFY2(onOneLine(text.mid(byCategory, byFunding - byCategory),
                           {QStringLiteral("АУП"), QStringLiteral("6,75"), QStringLiteral("4,5"),
                            QStringLiteral("2,75"), QStringLiteral("0,5")}),
                 qPrintable(text));
        const QString funding = text.mid(byFunding);
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Внебюдж."), QStringLiteral("2"), QStringLiteral("2,5"), QStringLiteral("0"),
                  QStringLiteral("0,5")},
                 {QStringLiteral("Всего по учреждению"), QStringLiteral("12,25"), QStringLiteral("7"),
                  QStringLiteral("5,75"), QStringLiteral("0,5")},
             })
            QVERIFY2(onOneLine(funding, parts), qPrintable(parts.join(u'|') + u'\n' + funding));
    }

    // However many lines come before it, a part's caption never ends a sheet: it stands with the first row
    // of its part; every sheet has the headings and its number, the title only the first.
    void everySheetHasTheHeadingsAndItsNumber_data()
    {
        QTest::addColumn<int>("lines");
        for (int lines = 60; lines <= 100; ++lines)
            QTest::addRow("%d lines", lines) << lines;
    }
    void everySheetHasTheHeadingsAndItsNumber()
    {
        QFETCH(int, lines);
        const QStringList sheets = sheetsOf(longReport(lines, 3));
        QVERIFY2(sheets.size() >= 2, qPrintable(sheets.join(u'\f')));
        QVERIFY(sheets.first().contains(QStringLiteral("Северный государственный университет")));
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const QString& sheet = sheets.at(i);
            QVERIFY2(onOneLine(sheet, headings), qPrintable(sheet));
            QVERIFY2(sheet.contains(QStringLiteral("Лист %1 из %2").arg(i + 1).arg(sheets.size())),
                     qPrintable(sheet));
            QCOMPARE(sheet.contains(QStringLiteral("по состоянию на 15.03.2024")), i == 0);
            const qsizetype over = captionAt(sheet, QStringLiteral("Сверх штата"));
            if (over >= 0)
                QVERIFY2(sheet.indexOf(QStringLiteral("Кафедра алгебры"), over) > over, qPrintable(sheet));
        }
        const QString text = sheets.join(u'\n');
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("1.1"), QStringLiteral("Доцент %1").arg(lines), QStringLiteral("ППС"),
                  QStringLiteral("Бюджет"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1")},
                 {QStringLiteral("1.2"), QStringLiteral("Профессор 3"), QStringLiteral("ППС"),
                  QStringLiteral("Бюджет"), QStringLiteral("1"), QStringLiteral("1,5"),
                  QStringLiteral("0,5")},
                 {QStringLiteral("Всего сверх штата"), QStringLiteral("1,5")},
             })
            QVERIFY2(onOneLine(text, parts), qPrintable(parts.join(u'|')));
    }

    void saysWhenNoLineIsOccupiedBeyondItsUnits()
    {
        const QString text = sheetsOf(longReport(3, 0)).join(u'\n');
        const qsizetype over = captionAt(text, QStringLiteral("Сверх штата"));
        QVERIFY2(over > 0, qPrintable(text));
        QVERIFY2(text.indexOf(QStringLiteral("Строк, занятых сверх штатных единиц, нет."), over) > over,
                 qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("Всего сверх штата")), qPrintable(text));
    }
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(VacancyPdfTest)
#include "tst_vacancypdf.moc"
