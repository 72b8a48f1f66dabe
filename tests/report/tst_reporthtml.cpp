#include "report/ReportHtml.h"
#include "tests/report/SampleReport.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <functional>

using namespace zeb;

namespace {

using Page = std::function<QString(const ScheduleReport&)>;

// One unit with one line, every text plain; `plant` puts the text under test into one of them.
ScheduleReport reportWith(const std::function<void(ScheduleReport&, ReportLine&)>& plant)
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2024, 3, 15);
    ReportGroup group{QStringLiteral("Бухгалтерия"), QStringLiteral("1"), {}, 1, {}};
    ReportLine line{QStringLiteral("Бухгалтер"),
                    QStringLiteral("АУП"),
                    QStringLiteral("9"),
                    1,
                    {},
                    QStringLiteral("Бюджет"),
                    QStringLiteral("8-к"),
                    QDate(2021, 2, 1),
                    {},
                    {},
                    {}};
    group.lines.append(line);
    report.groups.append(group);
    plant(report, report.groups.first().lines.first());
    report.totalUnits = 1;
    report.lineCount = 1;
    return report;
}

// The text a reader sees: the page as a browser shows it, without its markup.
QString shownText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

} // namespace

Q_DECLARE_METATYPE(std::function<void(ScheduleReport&, ReportLine&)>)

class TestReportHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedTextIsShownAsTyped_data();
    void typedTextIsShownAsTyped();
    void pageIsTheForm_data();
    void pageIsTheForm();
    void headingsInTheFormsOrder();
};

void TestReportHtml::typedTextIsShownAsTyped_data()
{
    using Plant = std::function<void(ScheduleReport&, ReportLine&)>;
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    const QString post = QStringLiteral("Инженер <R&D>");
    QTest::newRow("post") << Plant([post](ScheduleReport&, ReportLine& line) { line.post = post; }) << post
                          << post;
    const QString order = QStringLiteral("<b>12</b>&к");
    QTest::newRow("order number") << Plant([order](ScheduleReport&, ReportLine& line) {
        line.orderNumber = order;
    }) << order << order + QStringLiteral(" от 01.02.2021");
    const QString institution = QStringLiteral("ООО \"Наука & <i>Жизнь</i>\"");
    QTest::newRow("institution") << Plant([institution](ScheduleReport& report, ReportLine&) {
        report.institution = institution;
    }) << institution << institution;
    const QString category = QStringLiteral("<script>alert(1)</script>");
    QTest::newRow("category") << Plant([category](ScheduleReport&, ReportLine& line) {
        line.category = category;
    }) << category << category;
    const QString funding = QStringLiteral("Бюджет &amp; гранты");
    QTest::newRow("funding") << Plant([funding](ScheduleReport&, ReportLine& line) {
        line.funding = funding;
    }) << funding << funding;
    const QString note = QStringLiteral("<a href=\"x\">совместитель</a>");
    QTest::newRow("note") << Plant([note](ScheduleReport&, ReportLine& line) { line.note = note; }) << note
                          << note;
    const QString unit = QStringLiteral("Отдел \"кадров\" <&> учёта");
    QTest::newRow("unit") << Plant([unit](ScheduleReport& report, ReportLine&) {
        report.groups.first().unit = unit;
    }) << unit << unit;
    const QString code = QStringLiteral("<1>");
    QTest::newRow("unit code") << Plant([code](ScheduleReport& report, ReportLine&) {
        report.groups.first().code = code;
    }) << code << code;
    const QString okpo = QStringLiteral("<0206>");
    QTest::newRow("okpo") << Plant([okpo](ScheduleReport& report, ReportLine&) {
        report.requisites.okpo = okpo;
    }) << okpo << okpo;
    const QString position = QStringLiteral("Начальник <отдела> кадров");
    QTest::newRow("position") << Plant([position](ScheduleReport& report, ReportLine&) {
        report.requisites.hrHeadPosition = position;
    }) << position << position;
    const QString name = QStringLiteral("О'Брайен & <Ко>");
    QTest::newRow("accountant") << Plant([name](ScheduleReport& report, ReportLine&) {
        report.requisites.chiefAccountantName = name;
    }) << name << name;
    const QString number = QStringLiteral("<17>");
    QTest::newRow("document number") << Plant([number](ScheduleReport& report, ReportLine&) {
        report.details.documentNumber = number;
    }) << number << number;
    const QString approval = QStringLiteral("112&к");
    QTest::newRow("approval order") << Plant([approval](ScheduleReport& report, ReportLine&) {
        report.details.approvalOrder = approval;
    }) << approval << QStringLiteral("Приказом организации от «___» __________ 20___ г. № 112&к");
}

void TestReportHtml::typedTextIsShownAsTyped()
{
    QFETCH(std::function<void(ScheduleReport&, ReportLine&)>, plant);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const ScheduleReport report = reportWith(plant);

    for (const Page& page :
         {Page(reportHtml), Page([](const ScheduleReport& r) { return reportPaperHtml(r, 10); })}) {
        const QString html = page(report);
        QVERIFY2(!html.contains(typed), qPrintable(html));
        QVERIFY2(html.contains(typed.toHtmlEscaped()), qPrintable(html));
        QVERIFY2(shownText(html).contains(shown), qPrintable(shownText(html)));
        // One table of the form with its two heading rows and the numbers, the unit's row, the line, the
        // unit's total and the grand total.
        QCOMPARE(html.count(QStringLiteral("<table class=\"form")), 1);
        const QString form =
            html.section(QStringLiteral("<table class=\"form"), 1).section(QStringLiteral("</table>"), 0, 0);
        QCOMPARE(form.count(QStringLiteral("<tr")), 7);
    }
}

void TestReportHtml::pageIsTheForm_data()
{
    QTest::addColumn<QString>("part");
    const auto row = [](const char* tag, const char* part) { QTest::newRow(tag) << QString::fromUtf8(part); };
    row("okud", "<td class=\"label\">Форма по ОКУД</td><td class=\"box\"><b>0301017</b></td>");
    row("institution and okpo", "<td class=\"institution\">Северный государственный университет</td>"
                                "<td class=\"label\">по ОКПО</td><td class=\"box\"><b>02068574</b></td>");
    row("number and date", "<td class=\"title\">ШТАТНОЕ РАСПИСАНИЕ</td><td class=\"box\"><b>17-шр</b></td>"
                           "<td class=\"box\"><b>14.03.2024</b></td>");
    row("approval", "<b>УТВЕРЖДЕНО</b>");
    row("approval order", "<td>Приказом организации от «20» марта 2024 г. № 112-к</td>");
    row("staff", "Штат в количестве <b>3,50</b> единиц");
    row("period", "<p class=\"period\">на период с «01» апреля 2024 г. по «31» декабря 2024 г.</p>");
    row("unit", "<tr class=\"unit\"><td>Бухгалтерия</td><td>01</td><td colspan=\"11\"></td></tr>");
    // Columns 1 to 13 of a line: no unit name, the code, post with grade and category, units, salary,
    // three empty allowances, column 9, the note, the hourly fund, funding and the entry order.
    row("line", "<tr><td></td><td>01</td><td>Бухгалтер, 9 разряд, АУП</td><td class=\"number\">0,75</td>"
                "<td class=\"number\">12 345,67</td><td></td><td></td><td></td>"
                "<td class=\"number\">9 259,25</td><td>=1+2</td><td class=\"number\">250,5</td>"
                "<td>Бюджет</td><td>8-к от 01.02.2021</td></tr>");
    row("line without a salary",
        "<td>Профессор, 17 разряд, ППС</td><td class=\"number\">1,50</td>"
        "<td class=\"number\"></td><td></td><td></td><td></td>"
        "<td class=\"number\"></td><td>Совместитель &lt;внешний&gt; &amp; почасовик</td>");
    row("unit total", "<tr class=\"total\"><td colspan=\"3\">Итого по подразделению</td>"
                      "<td class=\"number\">1,75</td><td colspan=\"4\"></td>"
                      "<td class=\"number\">54 259,25</td><td colspan=\"4\"></td></tr>");
    row("grand total", "<tr class=\"grand\"><td colspan=\"3\">Всего</td><td class=\"number\">3,50</td>"
                       "<td colspan=\"4\"></td><td class=\"number\">61 759,25</td>");
    row("missing salaries",
        "<p class=\"note\">Оклад не установлен для 1 строки: графы 5 и 9 у них не заполнены.</p>");
    row("head of personnel", "<tr><td><b>Руководитель кадровой службы</b></td>"
                             "<td class=\"line\">Начальник управления кадров</td><td class=\"line\"></td>"
                             "<td class=\"line\">И. П. Смирнова</td></tr>");
    row("chief accountant", "<tr><td><b>Главный бухгалтер</b></td><td></td><td class=\"line\"></td>"
                            "<td class=\"line\">О. В. Лебедева</td></tr>");
}

void TestReportHtml::pageIsTheForm()
{
    QFETCH(QString, part);
    // Money is written with a no-break space between the thousands.
    const QString html = reportHtml(sampleReport()).replace(QChar(0x00A0), u' ');
    QVERIFY2(html.contains(part), qPrintable(html));
    // The signatures close the page.
    QVERIFY(html.indexOf(QStringLiteral("Главный бухгалтер</b>")) >
            html.lastIndexOf(QStringLiteral("</tbody>")));
}

void TestReportHtml::headingsInTheFormsOrder()
{
    const QString html = reportHtml(sampleReport());
    QStringList headings;
    QRegularExpressionMatchIterator cells =
        QRegularExpression(QStringLiteral("<th[^>]*>([^<]*)</th>")).globalMatch(html);
    while (cells.hasNext())
        headings.append(cells.next().captured(1));
    QStringList expected = {
        QStringLiteral("Структурное подразделение, наименование"),
        QStringLiteral("код"),
        QStringLiteral("Должность (специальность, профессия), разряд, класс (категория) квалификации"),
        QStringLiteral("Количество штатных единиц"),
        QStringLiteral("Тарифная ставка (оклад) и пр., руб."),
        QStringLiteral("Надбавки, руб."),
        QStringLiteral("Всего, руб. (гр. 5 + гр. 6 + гр. 7 + гр. 8) × гр. 4"),
        QStringLiteral("Примечание"),
        QStringLiteral("Почасовой фонд"),
        QStringLiteral("Источник финансирования"),
        QStringLiteral("Приказ о вводе: № и дата"),
        // Columns 6 to 8 below "Надбавки, руб.".
        QString(),
        QString(),
        QString(),
    };
    for (int column = 1; column <= 13; ++column)
        expected.append(QString::number(column));
    QCOMPARE(headings, expected);
    QVERIFY(html.contains(QStringLiteral("<th colspan=\"3\">Надбавки, руб.</th>")));
    QCOMPARE(html.count(QStringLiteral("<th rowspan=\"2\"")), 10);
}

QTEST_MAIN(TestReportHtml)
#include "tst_reporthtml.moc"
