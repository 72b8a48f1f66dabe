#include "report/ReportHtml.h"

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
    ReportGroup group{QStringLiteral("Бухгалтерия"), QStringLiteral("1"), {}, 1};
    ReportLine line{QStringLiteral("Бухгалтер"), QStringLiteral("АУП"), QStringLiteral("9"), 1, {},
                    QStringLiteral("Бюджет"),    QStringLiteral("8-к"), QDate(2021, 2, 1)};
    plant(report, line);
    group.lines.append(line);
    report.groups.append(group);
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
        // One table with its two heading rows, the unit's row, the line, the unit's total and the grand
        // total.
        QCOMPARE(html.count(QStringLiteral("<tr")), 6);
    }
}

QTEST_MAIN(TestReportHtml)
#include "tst_reporthtml.moc"
