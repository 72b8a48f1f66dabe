#include "controls/DBGridEh.h"
#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "tests/support/EngineRows.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "schedule/grid/ScheduleColumns.h"

#include <QTest>
#include <functional>

using namespace zeb;

namespace {

const QString units = QStringLiteral("q_units");
const QString hours = QStringLiteral("hourFond");

// Division "Бухгалтерия" on screen: row 0 is line 1 with 1,5 staff units and 120,25 hours, row 1 is line 2
// with 0,25 units and no hours. Line 5, of its sub-level "Расчётная группа", has 2 units and 36 hours.
std::unique_ptr<MainWindowRig> divisionOnScreen(EngineKind engine)
{
    auto rig = std::make_unique<MainWindowRig>(engine);
    rig->execute(
        QStringLiteral("update Vakansii set q_units = 1.5, hourFond = 120.25 where id_vakansiya = 1"));
    rig->execute(QStringLiteral("update Vakansii set q_units = 0.25 where id_vakansiya = 2"));
    rig->execute(QStringLiteral("update Vakansii set q_units = 2, hourFond = 36 where id_vakansiya = 5"));
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_1"),
              QStringLiteral("Бухгалтерия"));
    return rig;
}

QStringList totals(MainWindowRig& rig)
{
    return {child<DBGridFooter>(*rig.form, "DBGridEh1Footer")->totalText(units),
            child<DBGridFooter>(*rig.form, "DBGridEh1Footer")->totalText(hours)};
}

// The grid's column in the footer's coordinates, from the geometry of the grid's own cell.
std::pair<int, int> columnSpan(MainWindow& form, int column)
{
    const QRect cell = child<DBGridEh>(form, "DBGridEh1")
                           ->visualRect(child<DBGridEh>(form, "DBGridEh1")->model()->index(0, column));
    const QPoint inWindow = child<DBGridEh>(form, "DBGridEh1")->viewport()->mapTo(&form, cell.topLeft());
    const int left = child<DBGridFooter>(form, "DBGridEh1Footer")->mapFrom(&form, inWindow).x();
    return {left, left + child<DBGridEh>(form, "DBGridEh1")->columnWidth(column) - 1};
}

// A new line with the post and 3 staff units, before line 2.
void addLine(MainWindowRig& rig)
{
    rig.clickCell(1, ScheduleColumn::Post);
    rig.press(Qt::Key_Insert);
    const int row = rig.schedule().recNo();
    rig.pickInCell(row, ScheduleColumn::Post, QStringLiteral("Доцент"));
    rig.typeIntoCell(row, ScheduleColumn::Units, QStringLiteral("3"));
}

// Line 2 given 2,5 staff units as typed, a point for the comma; the question is answered OK.
void typeUnits(MainWindowRig& rig)
{
    rig.platform.queueAnswer(MessageAnswer::Ok);
    rig.typeIntoCell(1, ScheduleColumn::Units, QStringLiteral("2.5"));
    QCOMPARE(rig.schedule().state(), Dataset::State::Edit);
}

using Action = std::function<void(MainWindowRig&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestScheduleTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void footerSitsUnderTheGrid_data() { addEngineRows(); }
    void footerSitsUnderTheGrid();
    void totalsFollowTheLines_data();
    void totalsFollowTheLines();
};

void TestScheduleTotals::footerSitsUnderTheGrid()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    DBGridFooter* footer = child<DBGridFooter>(form, "DBGridEh1Footer");
    QCOMPARE(footer, form.findChild<DBGridFooter*>(QStringLiteral("DBGridEh1Footer")));
    QCOMPARE(totals(rig), QStringList({QString(), QString()}));

    // Line 2 gets its staff units, 0, when the division opens.
    rig.execute(
        QStringLiteral("update Vakansii set q_units = 1.5, hourFond = 120.25 where id_vakansiya = 1"));
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    QCOMPARE(totals(rig), QStringList({QStringLiteral("1,5"), QStringLiteral("120,25")}));

    QCOMPARE(footer->caption(), QStringLiteral("Итого:"));
    // The row under the grid shares its left edge; the date box of the view sits at its right.
    QWidget* gridParent = child<DBGridEh>(form, "DBGridEh1")->parentWidget();
    QVERIFY(gridParent->isAncestorOf(footer));
    const QPoint footerCorner = footer->mapTo(gridParent, QPoint(0, 0));
    QCOMPARE(footerCorner.y(), child<DBGridEh>(form, "DBGridEh1")->geometry().bottom() + 1);
    QCOMPARE(footerCorner.x(), child<DBGridEh>(form, "DBGridEh1")->geometry().left());
    QVERIFY(footer->width() <= child<DBGridEh>(form, "DBGridEh1")->width());
    QCOMPARE(footer->height(), child<DBGridEh>(form, "DBGridEh1")->rowHeight(0));
    QCOMPARE(footer->font(), child<DBGridEh>(form, "DBGridEh1")->font());
    for (const int width : {1014, 1300}) {
        form.resize(width, 600);
        QCoreApplication::processEvents();
        for (const auto& [field, column] : {std::pair(units, int(ScheduleColumn::Units)),
                                            std::pair(hours, int(ScheduleColumn::HourFund))}) {
            const auto [left, right] = columnSpan(form, column);
            QCOMPARE(footer->totalCell(field).left(), left);
            QCOMPARE(footer->totalCell(field).right(), right);
        }
    }
}

void TestScheduleTotals::totalsFollowTheLines_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<Action>("act");
    QTest::addColumn<QStringList>("after");

    struct Case
    {
        const char* name;
        Action act;
        const char* units;
        const char* hours;
    };
    const Case cases[] = {
        {"units typed, line not saved", typeUnits, "4", "120,25"},
        {"units typed, line saved",
         [](MainWindowRig& rig) {
             typeUnits(rig);
             rig.press(Qt::Key_Up);
             QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
             QCOMPARE(rig.reloaded(2, units), QStringLiteral("2,5"));
         },
         "4", "120,25"},
        {"units typed, line cancelled",
         [](MainWindowRig& rig) {
             typeUnits(rig);
             rig.press(Qt::Key_Escape);
             rig.press(Qt::Key_Escape);
             QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
         },
         "1,75", "120,25"},
        {"new line, not saved", addLine, "4,75", "120,25"},
        {"new line saved",
         [](MainWindowRig& rig) {
             addLine(rig);
             rig.press(Qt::Key_Up);
             QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
             QCOMPARE(rig.schedule().recordCount(), 3);
         },
         "4,75", "120,25"},
        {"line deleted",
         [](MainWindowRig& rig) {
             rig.clickCell(1, ScheduleColumn::Grade);
             rig.platform.queueAnswer(MessageAnswer::Ok);
             rig.press(Qt::Key_Delete, Qt::ControlModifier);
             QCOMPARE(rig.platform.boxTexts(), QStringList({QStringLiteral("Delete record?")}));
             QCOMPARE(rig.schedule().recordCount(), 1);
         },
         "1,5", "120,25"},
        {"sub-level chosen",
         [](MainWindowRig& rig) {
             rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_11"),
                      QStringLiteral("Расчётная группа"));
             QCOMPARE(rig.schedule().recordCount(), 1);
         },
         "2", "36"},
        {"other page", [](MainWindowRig& rig) { rig.clickTab(1); }, "", ""},
    };
    for (const auto& [engineName, engine] : installableEngines) {
        for (const Case& c : cases)
            QTest::addRow("%s, %s", engineName, c.name)
                << engine << c.act << QStringList({QString::fromUtf8(c.units), QString::fromUtf8(c.hours)});
    }
}

void TestScheduleTotals::totalsFollowTheLines()
{
    QFETCH(EngineKind, engine);
    QFETCH(Action, act);
    QFETCH(QStringList, after);
    auto rig = divisionOnScreen(engine);
    QCOMPARE(totals(*rig), QStringList({QStringLiteral("1,75"), QStringLiteral("120,25")}));

    act(*rig);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(rig->platform.errors(), QStringList());
    QCOMPARE(totals(*rig), after);
}

QTEST_MAIN(TestScheduleTotals)
#include "tst_scheduletotals.moc"
