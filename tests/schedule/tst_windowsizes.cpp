#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "tests/support/EngineRows.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "schedule/grid/ScheduleColumns.h"
#include "schedule/SelectorRowLayout.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTest>

using namespace zeb;

namespace {

// The window's own named controls that the user sees; the parts of Qt's widgets are left out.
QList<QWidget*> shownControls(QWidget* window)
{
    QList<QWidget*> shown;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_") && control->window() == window &&
            control->isVisibleTo(window))
            shown.append(control);
    }
    return shown;
}

QRect placeIn(QWidget* window, QWidget* control)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// Room a grid cell leaves for its text.
int textRoom(const DBGridEh* grid, int column)
{
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return grid->horizontalHeader()->sectionSize(column) - 2 * margin;
}

} // namespace

class TestWindowSizes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlStaysInTheWindow_data();
    void everyControlStaysInTheWindow();
    void datesAndShortNamesShowWhole_data();
    void datesAndShortNamesShowWhole();
    void selectorsShrinkInProportion_data();
    void selectorsShrinkInProportion();
};

void TestWindowSizes::everyControlStaysInTheWindow_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("tab");
    for (const QSize size : {QSize(1024, 600), QSize(800, 600)}) {
        for (const int tab : {0, 1}) {
            QTest::addRow("%dx%d, tab %d", size.width(), size.height(), tab)
                << size.width() << size.height() << tab;
        }
    }
}

// Nothing the user needs leaves the window, and the selectors keep room for their titles.
void TestWindowSizes::everyControlStaysInTheWindow()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, tab);
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    form.resize(width, height);
    rig.clickTab(tab);
    if (tab == 1)
        rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
    else
        rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    QApplication::processEvents();
    QCOMPARE(form.size(), QSize(width, height));

    const QList<QWidget*> controls = shownControls(&form);
    QVERIFY(controls.contains(child<DBGridEh>(form, "DBGridEh1")));
    QVERIFY(controls.contains(child<DBNavigator>(form, "DBNavigator1")));
    for (QWidget* control : controls) {
        const QRect place = placeIn(&form, control);
        QVERIFY2(form.rect().contains(place), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                                             .arg(control->objectName())
                                                             .arg(place.x())
                                                             .arg(place.y())
                                                             .arg(place.width())
                                                             .arg(place.height())));
    }
    const QList<std::pair<QLabel*, DBLookupComboBox*>> titled =
        tab == 0 ? QList<std::pair<QLabel*, DBLookupComboBox*>>{{child<QLabel>(form, "Label2"),
                                                                 child<DBLookupComboBox>(
                                                                     form, "DBLookupComboboxEh_Otdel_1")},
                                                                {child<QLabel>(form, "Label3"),
                                                                 child<DBLookupComboBox>(
                                                                     form, "DBLookupComboboxEh_Otdel_11")}}
                 : QList<std::pair<QLabel*, DBLookupComboBox*>>{
                       {child<QLabel>(form, "Label4"),
                        child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty")},
                       {child<QLabel>(form, "Label5"),
                        child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")},
                       {child<QLabel>(form, "Label1"),
                        child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")}};
    for (const auto& [title, selector] : titled) {
        QVERIFY(selector->isVisible());
        QVERIFY(selector->width() >= title->width());
        QVERIFY(selector->width() >= 120);
        QCOMPARE(selector->height(), 24);
    }
    // Neighbours on the page do not cover each other.
    const QList<QWidget*> onPage = child<QStackedWidget>(form, "Notebook1")
                                       ->currentWidget()
                                       ->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* a : onPage) {
        for (const QWidget* b : onPage) {
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + QStringLiteral(" / ") + b->objectName()));
        }
    }
}

void TestWindowSizes::datesAndShortNamesShowWhole_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<int>("width");
    for (const auto& [name, engine] : installableEngines) {
        for (const int width : {1024, 800})
            QTest::addRow("%s, %d", name, width) << engine << width;
    }
}

// At 1024 pixels the dates of the orders, the kinds of entry and withdrawal and the funding source show in
// full; at 800 the columns keep that room and the grid scrolls sideways to the last one.
void TestWindowSizes::datesAndShortNamesShowWhole()
{
    QFETCH(EngineKind, engine);
    QFETCH(int, width);
    MainWindowRig rig(engine);
    rig.execute(
        QStringLiteral("update Vakansii set e_d_p = '2024-01-09', d_d_p = '2025-12-28', id_enter = 2, "
                       "id_bk = 2, id_structure = 1 where id_vakansiya = 1"));
    MainWindow& form = *rig.form;
    form.resize(width, 600);
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    QApplication::processEvents();
    DBGridEh* grid = child<DBGridEh>(form, "DBGridEh1");
    QVERIFY(rig.schedule().locate(QStringLiteral("id_vakansiya"), 1));
    const int row = rig.schedule().recNo();

    const QFontMetrics metrics(grid->font());
    for (const int column :
         {ScheduleColumn::EntryDate, ScheduleColumn::WithdrawalDate, ScheduleColumn::Enter,
          ScheduleColumn::Deduce, ScheduleColumn::FundingSource, ScheduleColumn::Structure}) {
        const QString text = grid->model()->index(row, column).data().toString();
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(column)));
        QVERIFY2(textRoom(grid, column) >= metrics.horizontalAdvance(text),
                 qPrintable(QStringLiteral("%1 in %2 px").arg(text).arg(textRoom(grid, column))));
    }
    QCOMPARE(grid->model()->index(row, ScheduleColumn::EntryDate).data().toString(),
             QStringLiteral("09.01.2024"));
    QVERIFY(textRoom(grid, ScheduleColumn::Deduce) >=
            metrics.horizontalAdvance(QStringLiteral("Не выведена")));

    const QHeaderView* header = grid->horizontalHeader();
    const int columnsWidth = header->length();
    QScrollBar* sideways = grid->horizontalScrollBar();
    if (columnsWidth <= grid->viewport()->width()) {
        QCOMPARE(width, 1024);
        QCOMPARE(sideways->maximum(), 0);
        return;
    }
    QVERIFY(sideways->isVisible());
    rig.clickCell(row, 0);
    for (int step = 0; step < ScheduleColumn::WithdrawalDate; ++step)
        rig.press(Qt::Key_Tab);
    QCOMPARE(grid->currentIndex().column(), int(ScheduleColumn::WithdrawalDate));
    const QRect last = grid->visualRect(grid->currentIndex());
    QVERIFY(grid->viewport()->rect().contains(last));
}

void TestWindowSizes::selectorsShrinkInProportion_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QRect>>("expected");
    const QList<RowPlace> places = {{QRect(8, 21, 300, 24), 100},
                                    {QRect(312, 24, 17, 17), 17},
                                    {QRect(340, 2, 60, 16), 60},
                                    {QRect(340, 21, 200, 24), 100}};
    QTest::newRow("as designed") << 600
                                 << QList<QRect>{places[0].place, places[1].place, places[2].place,
                                                 places[3].place};
    QTest::newRow("wider") << 900
                           << QList<QRect>{places[0].place, places[1].place, places[2].place,
                                           places[3].place};
    // 60 pixels short: the first selector spares 200, the second 100, so they give up 40 and 20.
    QTest::newRow("narrower") << 480
                              << QList<QRect>{QRect(8, 21, 260, 24), QRect(272, 24, 17, 17),
                                              QRect(300, 2, 60, 16), QRect(300, 21, 180, 24)};
    QTest::newRow("narrowest") << 200
                               << QList<QRect>{QRect(8, 21, 100, 24), QRect(112, 24, 17, 17),
                                               QRect(140, 2, 60, 16), QRect(140, 21, 100, 24)};
}

void TestWindowSizes::selectorsShrinkInProportion()
{
    QFETCH(int, width);
    QFETCH(QList<QRect>, expected);
    const QList<RowPlace> places = {{QRect(8, 21, 300, 24), 100},
                                    {QRect(312, 24, 17, 17), 17},
                                    {QRect(340, 2, 60, 16), 60},
                                    {QRect(340, 21, 200, 24), 100}};
    QCOMPARE(designWidth(places), 540);
    QCOMPARE(leastWidth(places), 240);
    QCOMPARE(placesInRow(places, width), expected);
}

QTEST_MAIN(TestWindowSizes)
#include "tst_windowsizes.moc"
