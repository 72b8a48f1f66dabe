#include "data/Connection.h"
#include "report/ReportPdf.h"
#include "tests/report/PdfSheets.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace zeb;

namespace {

// Georgian letters are not in the form's font: that line is shaped and drawn in a font that has them.
const QString longNote =
    QStringLiteral("Совмещение с должностью кассира на время отпуска основного работника по "
                   "приказу ректора (ქართული ენა)");

ReportLine line(const QString& post, const QString& category, int grade, double units,
                std::optional<Money> salary, const QString& order)
{
    ReportLine line;
    line.post = post;
    line.category = category;
    line.payGrade = QString::number(grade);
    line.units = units;
    line.funding = QStringLiteral("Бюджет");
    line.orderNumber = order;
    line.orderDate = QDate(2021, 2, 1);
    line.salary = salary;
    if (salary)
        line.monthlyTotal = salary->times(units);
    return line;
}

ReportGroup group(const QString& unit, const QString& code, QList<ReportLine> lines)
{
    ReportGroup group{unit, code, std::move(lines), 0, {}};
    for (const ReportLine& line : group.lines) {
        group.units += line.units;
        group.monthlyTotal += line.monthlyTotal.value_or(Money());
    }
    return group;
}

ReportGroup repeated(const QString& unit, const QString& code, const ReportLine& line, int count)
{
    QList<ReportLine> lines;
    for (int i = 0; i < count; ++i)
        lines.append(line);
    return group(unit, code, lines);
}

ScheduleReport report(QList<ReportGroup> groups)
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2024, 3, 15);
    report.requisites = {QStringLiteral("02068574"), QStringLiteral("Начальник управления кадров"),
                         QStringLiteral("Е. В. Иванова"), QStringLiteral("А. П. Петров")};
    report.details = {QStringLiteral("17-шр"), QDate(2024, 3, 20), QDate(2024, 1, 1),
                      QDate(2024, 12, 31),     QDate(2024, 1, 10), QStringLiteral("5-о")};
    report.groups = std::move(groups);
    for (const ReportGroup& group : report.groups) {
        report.totalUnits += group.units;
        report.monthlyTotal += group.monthlyTotal;
        report.lineCount += int(group.lines.size());
        for (const ReportLine& line : group.lines)
            report.linesWithoutSalary += line.salary ? 0 : 1;
    }
    return report;
}

// Three units over three sheets: one line with a long note, one without a salary, 90 alike.
ScheduleReport threeSheets()
{
    ReportLine chief = line(QStringLiteral("Главный бухгалтер"), QStringLiteral("АУП"), 14, 1,
                            Money::fromKopecks(4567890), QStringLiteral("1-к"));
    chief.note = longNote;
    ReportLine docent = line(QStringLiteral("Доцент"), QStringLiteral("ППС"), 15, 1,
                             Money::fromKopecks(4000000), QStringLiteral("7-к"));
    docent.hourlyFund = 120.5;
    ReportLine professor = line(QStringLiteral("Профессор"), QStringLiteral("ППС"), 17, 1,
                                Money::fromKopecks(5555555), QStringLiteral("9-к"));
    professor.funding = QStringLiteral("Грант");
    return report({
        group(QStringLiteral("Бухгалтерия"), QStringLiteral("1"),
              {chief,
               line(QStringLiteral("Бухгалтер"), QStringLiteral("АУП"), 10, 0.5, Money::fromKopecks(3000001),
                    QStringLiteral("2-к")),
               line(QStringLiteral("Бухгалтер"), QStringLiteral("АУП"), 9, 0.75, std::nullopt,
                    QStringLiteral("3-к"))}),
        repeated(QStringLiteral("Физико-математический факультет / Кафедра физики"), QStringLiteral("1.1"),
                 docent, 60),
        repeated(QStringLiteral("Факультет юриспруденции / Кафедра алгебры"), QStringLiteral("2.2"),
                 professor, 30),
    });
}

// As pdftotext gives it back: the no-break spaces between the thousands come out as plain ones.
QString money(qint64 kopecks)
{
    return Money::fromKopecks(kopecks).toText().replace(QChar(0x00A0), u' ');
}

} // namespace

class ReportPdfTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_files;

    QStringList sheetsOf(const ScheduleReport& report)
    {
        const QString pdf = m_files.filePath(QStringLiteral("report.pdf"));
        writeReportPdf(report, pdf);
        return pdfSheetTexts(pdf);
    }

private Q_SLOTS:
    // The report as the schedule's tables give it, on every engine.
    void showsTheSchedulesLinesWithTheirSalaries_data() { addEngineRows(); }
    void showsTheSchedulesLinesWithTheirSalaries()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        ScheduleReport loaded;
        {
            const std::unique_ptr<Connection> connection = installation->signedInConnection();
            loadReportFixture(*connection);
            loaded = loadScheduleReport(*connection, reportDay());
        }
        const QStringList sheets = sheetsOf(loaded);
        const QString text = sheets.join(QLatin1Char('\n'));
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("по ОКПО"), QStringLiteral("02068574")},
                 {QStringLiteral("Штат в количестве 12,25 единиц")},
                 {QStringLiteral("по состоянию на 15.03.2024")},
                 {QStringLiteral("0101"), QStringLiteral("Бухгалтер, 10 разряд, АУП"), QStringLiteral("0,50"),
                  money(3000001), money(1500001), QStringLiteral("Внебюдж."),
                  QStringLiteral("2-к от 15.03.2024")},
                 // Raised before the day; the rise after it does not count yet.
                 {QStringLiteral("1.2"), QStringLiteral("Бухгалтер, 9 разряд, АУП"), QStringLiteral("0,75"),
                  money(2750050), money(2062538)},
                 // Raised on the day itself.
                 {QStringLiteral("Доцент, 15 разряд, ППС"), QStringLiteral("1,00"), money(3800000),
                  money(3800000), QStringLiteral("120"), QStringLiteral("Бюджет")},
                 // Grade 8 has no salary: columns 5 and 9 stay empty.
                 {QStringLiteral("0400"), QStringLiteral("Бухгалтер, 8 разряд, УВП"), QStringLiteral("1,00"),
                  QStringLiteral("Бюджет"), QStringLiteral("13-к от 01.09.2017")},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("3,50"), money(11130430)},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("1,00"), QStringLiteral("0,00")},
                 {QStringLiteral("Всего"), QStringLiteral("12,25"), money(39198573)},
                 {QStringLiteral("Оклад не установлен для 2 строк штатного расписания")},
                 {QStringLiteral("Руководитель кадровой службы"),
                  QStringLiteral("Начальник управления кадров"), QStringLiteral("Е. В. Иванова")},
                 {QStringLiteral("Главный бухгалтер"), QStringLiteral("А. П. Петров")},
             })
            QVERIFY2(onOneLine(text, parts), qPrintable(parts.join(u'|') + u'\n' + text));
        for (const char* word : {"Ставка", "на", "время", "отпуска", "<по", "уходу>"})
            QVERIFY2(text.contains(QString::fromUtf8(word)), word);
        QVERIFY2(!text.contains(money(3000000)), "a salary from after the day");
    }

    void firstSheetCarriesTheFormHeader()
    {
        const QStringList sheets = sheetsOf(threeSheets());
        QVERIFY2(sheets.size() >= 3, qPrintable(sheets.join(QLatin1Char('\n'))));
        const QString& first = sheets.first();
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Форма по ОКУД"), QStringLiteral("0301017")},
                 {QStringLiteral("Северный государственный университет")},
                 {QStringLiteral("по ОКПО"), QStringLiteral("02068574")},
                 {QStringLiteral("Номер документа"), QStringLiteral("Дата составления")},
                 {QStringLiteral("17-шр"), QStringLiteral("20.03.2024")},
                 {QStringLiteral("ШТАТНОЕ РАСПИСАНИЕ")},
                 {QStringLiteral("УТВЕРЖДЕНО")},
                 {QStringLiteral("Приказом организации")},
                 {QStringLiteral("на период с «01» января 2024 г. по «31» декабря 2024 г.")},
                 {QStringLiteral("по состоянию на 15.03.2024")},
                 {QStringLiteral("от «10» января 2024 г. № 5-о")},
                 {QStringLiteral("Штат в количестве 92,25 единиц")},
             })
            QVERIFY2(onOneLine(first, parts), qPrintable(parts.join(u' ') + u'\n' + first));
        for (qsizetype i = 1; i < sheets.size(); ++i)
            QVERIFY2(!sheets.at(i).contains(QStringLiteral("ШТАТНОЕ РАСПИСАНИЕ")), qPrintable(sheets.at(i)));
    }

    void everySheetHasTheHeadingsAndItsNumber()
    {
        const QStringList sheets = sheetsOf(threeSheets());
        QVERIFY2(sheets.size() >= 3, qPrintable(QString::number(sheets.size())));
        const QRegularExpression numbers(QStringLiteral("^ *1 +2 +3 +4 +5 +6 +7 +8 +9 +10 +11 +12 +13 *$"),
                                         QRegularExpression::MultilineOption);
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const QString& sheet = sheets.at(i);
            QVERIFY2(numbers.match(sheet).hasMatch(), qPrintable(sheet));
            for (const char* heading : {"Структурное", "Должность", "штатных", "Тарифная", "Надбавки, руб.",
                                        "Всего, руб.", "Примечание", "Почасовой", "финансирования", "вводе"})
                QVERIFY2(sheet.contains(QString::fromUtf8(heading)),
                         qPrintable(QString::fromUtf8(heading) + u'\n' + sheet));
            QVERIFY2(sheet.contains(QStringLiteral("Лист %1 из %2").arg(i + 1).arg(sheets.size())),
                     qPrintable(sheet));
        }
    }

    void rowsShowTheFormsColumns()
    {
        const QString text = sheetsOf(threeSheets()).join(QLatin1Char('\n'));
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Физико-математический факультет / Кафедра физики")},
                 {QStringLiteral("1"), QStringLiteral("Бухгалтер, 10 разряд, АУП"), QStringLiteral("0,50"),
                  money(3000001), money(1500001), QStringLiteral("Бюджет"),
                  QStringLiteral("2-к от 01.02.2021")},
                 {QStringLiteral("1"), QStringLiteral("Бухгалтер, 9 разряд, АУП"), QStringLiteral("0,75"),
                  QStringLiteral("Бюджет"), QStringLiteral("3-к от 01.02.2021")},
                 {QStringLiteral("1.1"), QStringLiteral("Доцент, 15 разряд, ППС"), QStringLiteral("1,00"),
                  money(4000000), money(4000000), QStringLiteral("120,5"), QStringLiteral("Бюджет")},
                 {QStringLiteral("2.2"), QStringLiteral("Профессор, 17 разряд, ППС"), QStringLiteral("1,00"),
                  money(5555555), money(5555555), QStringLiteral("Грант"),
                  QStringLiteral("9-к от 01.02.2021")},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("2,25"), money(6067891)},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("60,00"), money(240000000)},
                 {QStringLiteral("Итого по подразделению"), QStringLiteral("30,00"), money(166666650)},
                 {QStringLiteral("Всего"), QStringLiteral("92,25"), money(412734541)},
                 {QStringLiteral("Оклад не установлен для 1 строки штатного расписания")},
             })
            QVERIFY2(onOneLine(text, parts), qPrintable(parts.join(u'|') + u'\n' + text));
        // The note wraps within its column: every word of it is there, none cut off.
        for (const QString& word : longNote.split(u' '))
            QVERIFY2(text.contains(word), qPrintable(word));
    }

    // However many lines come before it, the signature block stands whole on the last sheet, and only there.
    void signaturesStandWholeOnTheLastSheet_data()
    {
        QTest::addColumn<int>("lines");
        for (int lines = 30; lines <= 60; lines += 3)
            QTest::addRow("%d lines", lines) << lines;
    }
    void signaturesStandWholeOnTheLastSheet()
    {
        QFETCH(int, lines);
        const ReportLine docent =
            line(QStringLiteral("Доцент"), QStringLiteral("ППС"), 15, 1, std::nullopt, QStringLiteral("7-к"));
        const QStringList sheets = sheetsOf(
            report({repeated(QStringLiteral("Кафедра физики"), QStringLiteral("1"), docent, lines)}));
        const QString& last = sheets.last();
        // Never without the table: the grand total comes over with it when the sheet before is full.
        QVERIFY2(onOneLine(last, {QStringLiteral("Всего"), QStringLiteral("%1,00").arg(lines)}),
                 qPrintable(last));
        QVERIFY2(
            onOneLine(last, {QStringLiteral("Руководитель кадровой службы"),
                             QStringLiteral("Начальник управления кадров"), QStringLiteral("Е. В. Иванова")}),
            qPrintable(last));
        QVERIFY2(onOneLine(last, {QStringLiteral("Главный бухгалтер"), QStringLiteral("А. П. Петров")}),
                 qPrintable(last));
        QVERIFY2(
            onOneLine(last, {QStringLiteral("(личная подпись)"), QStringLiteral("(расшифровка подписи)")}),
            qPrintable(last));
        QVERIFY2(last.contains(QStringLiteral("Оклад не установлен для %1 строк").arg(lines)),
                 qPrintable(last));
        for (qsizetype i = 0; i + 1 < sheets.size(); ++i) {
            for (const char* part :
                 {"Руководитель кадровой службы", "Главный бухгалтер", "подпись", "Оклад не"})
                QVERIFY2(!sheets.at(i).contains(QString::fromUtf8(part)), qPrintable(sheets.at(i)));
        }
    }
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(ReportPdfTest)
#include "tst_reportpdf.moc"
