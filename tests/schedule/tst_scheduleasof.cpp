#include "controls/DBGridEh.h"
#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBRichEdit.h"
#include "controls/DateBox.h"
#include "data/dataset/Field.h"
#include "schedule/grid/ScheduleColumns.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/NamedChild.h"

#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace zeb;

namespace {

// The lines the grid shows, by key, comma-separated.
QString shownLines(const MainWindow& form)
{
    const Dataset& shown = *child<DBGridEh>(form, "DBGridEh1")->dataset();
    QStringList keys;
    const int key = shown.fieldIndex(QStringLiteral("id_vakansiya"));
    for (int row = 0; row < shown.recordCount(); ++row)
        keys.append(shown.valueAt(row, key).toString());
    return keys.join(u',');
}

// Lines of "Бухгалтерия" with their entry and withdrawal days around 01.01.2022: line 1 entered before it,
// line 2 after it, line 3 withdrawn after it (withdrawn today), line 4 without dates, and a new line
// withdrawn before it.
void dateTheLines(MainWindowRig& rig)
{
    rig.execute(
        QStringLiteral("update Vakansii set e_d_p = '10.01.2020', q_units = 1 where id_vakansiya = 1"));
    rig.execute(
        QStringLiteral("update Vakansii set e_d_p = '01.05.2024', q_units = 2 where id_vakansiya = 2"));
    rig.execute(QStringLiteral("update Vakansii set e_d_p = '01.01.2019', d_d_p = '01.06.2023', q_units = "
                               "0.5 where id_vakansiya = 3"));
    rig.execute(QStringLiteral("update Vakansii set q_units = 0.25 where id_vakansiya = 4"));
    rig.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce, e_d_p, d_d_p, q_units) "
                       "values (2, 1, 9, 2, '01.01.2019', '01.06.2021', 4)"));
}

} // namespace

class TestScheduleAsOf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewShowsTheLinesInForceOnTheDay_data() { addEngineRows(); }
    void viewShowsTheLinesInForceOnTheDay();
    void viewShowsTheValuesTheLinesHadOnTheDay_data() { addEngineRows(); }
    void viewShowsTheValuesTheLinesHadOnTheDay();
    void viewEditsNothingAndGivesTheScheduleBack();
    void viewOfAFacultyUnitKeepsToTheFaculty_data();
    void viewOfAFacultyUnitKeepsToTheFaculty();
    void dateTypedInTheBoxIsTakenAsTyped_data();
    void dateTypedInTheBoxIsTakenAsTyped();
    void viewLooksReadOnly();
    void calendarOfTheMaximisedWindowOpensOnTheScreen();
};

void TestScheduleAsOf::viewShowsTheLinesInForceOnTheDay()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    dateTheLines(rig);
    MainWindow& form = *rig.form;
    QVERIFY(!child<QCheckBox>(form, "AsOfCheck")->isChecked());
    QVERIFY(!child<DateBox>(form, "AsOfDate")->isEnabled());
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    // Today line 3 is withdrawn and line 4 has no withdrawal kind: the schedule leaves both out.
    QCOMPARE(shownLines(form), QStringLiteral("1,2"));

    child<DateBox>(form, "AsOfDate")->setDate(QDate(2022, 1, 1));
    child<QCheckBox>(form, "AsOfCheck")->setChecked(true);

    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QCOMPARE(child<DBGridFooter>(form, "DBGridEh1Footer")->totalText(QStringLiteral("q_units")),
             QStringLiteral("1,75"));
    // Another day, and another unit: the view follows both.
    child<DateBox>(form, "AsOfDate")->setDate(QDate(2020, 1, 10));
    const QString withdrawnBefore =
        rig.stored(QStringLiteral("select max(id_vakansiya) as id from Vakansii"), QStringLiteral("id"));
    QCOMPARE(shownLines(form), QStringLiteral("1,3,4,") + withdrawnBefore);
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11"),
             QStringLiteral("Расчётная группа"));
    QCOMPARE(shownLines(form), QStringLiteral("5"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

// Lines kept unchanged since 2019, then changed today: the view of a day between shows them as they were,
// a deleted line included, and says since when the history is kept.
void TestScheduleAsOf::viewShowsTheValuesTheLinesHadOnTheDay()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    dateTheLines(rig);
    rig.installation->adminEngine()->run(
        QStringLiteral("UPDATE Vakansii_history SET changed = '2019-06-01 10:00:00'"));
    rig.execute(QStringLiteral("update Vakansii set q_units = 3 where id_vakansiya = 1"));
    rig.execute(QStringLiteral("delete from Vakansii where id_vakansiya = 4"));
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    auto* grid = child<DBGridEh>(form, "DBGridEh1");
    const auto units = [grid] { return grid->model()->index(0, ScheduleColumn::Units).data().toString(); };
    QCOMPARE(units(), QStringLiteral("3"));

    child<DateBox>(form, "AsOfDate")->setDate(QDate(2022, 1, 1));
    child<QCheckBox>(form, "AsOfCheck")->setChecked(true);

    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QCOMPARE(units(), QStringLiteral("1"));
    QCOMPARE(child<DBGridFooter>(form, "DBGridEh1Footer")->totalText(QStringLiteral("q_units")),
             QStringLiteral("1,75"));
    QCOMPARE(child<QLabel>(form, "AsOfHistoryStart")->text(),
             QStringLiteral("История изменений ведётся с 01.06.2019"));
    QVERIFY(child<QLabel>(form, "AsOfHistoryStart")->isVisible());

    child<QCheckBox>(form, "AsOfCheck")->setChecked(false);
    QCOMPARE(shownLines(form), QStringLiteral("1,2"));
    QCOMPARE(units(), QStringLiteral("3"));
    QVERIFY(!child<QLabel>(form, "AsOfHistoryStart")->isVisible());
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestScheduleAsOf::viewEditsNothingAndGivesTheScheduleBack()
{
    MainWindowRig rig(EngineKind::Sqlite);
    dateTheLines(rig);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    child<DateBox>(form, "AsOfDate")->setDate(QDate(2022, 1, 1));
    child<QCheckBox>(form, "AsOfCheck")->setChecked(true);

    rig.clickCell(0, ScheduleColumn::Units);
    rig.type(QApplication::focusWidget(), QStringLiteral("7"));
    rig.press(Qt::Key_Return);
    rig.press(Qt::Key_Insert);
    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QVERIFY(rig.platform.boxes().isEmpty());
    QCOMPARE(rig.reloaded(1, QStringLiteral("q_units")), QStringLiteral("1"));
    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QVERIFY(!child<DBRichEdit>(form, "DBRichEdit1")->isEnabled());

    child<QCheckBox>(form, "AsOfCheck")->setChecked(false);
    QCOMPARE(shownLines(form), QStringLiteral("1,2"));
    QVERIFY(!child<DBGridEh>(form, "DBGridEh1")->isReadOnly());
    QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
}

void TestScheduleAsOf::viewOfAFacultyUnitKeepsToTheFaculty_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("faculty");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("lines");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, department", name)
            << engine << QStringLiteral("ФМ") << QStringLiteral("DBLookupComboboxEh_Kafedra")
            << QStringLiteral("Кафедра алгебры") << QStringLiteral("8");
        QTest::addRow("%s, department of the other faculty", name)
            << engine << QStringLiteral("ФЭ") << QStringLiteral("DBLookupComboboxEh_Kafedra")
            << QStringLiteral("Кафедра алгебры") << QStringLiteral("12");
        QTest::addRow("%s, level-2 division", name)
            << engine << QStringLiteral("ФМ") << QStringLiteral("DBLookupComboboxEh_Otdel_2")
            << QStringLiteral("Деканат") << QStringLiteral("7");
    }
}

// The same department and the same level-2 division hold lines of two faculties; the view of one faculty's
// unit shows that faculty's lines only.
void TestScheduleAsOf::viewOfAFacultyUnitKeepsToTheFaculty()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, faculty);
    QFETCH(QString, selector);
    QFETCH(QString, unit);
    QFETCH(QString, lines);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("insert into Vakansii (id_post, id_faculty, id_kafedra, Num, id_deduce) "
                               "values (2, 2, 1, 2, 1)"));
    rig.execute(QStringLiteral("insert into Vakansii (id_post, id_faculty, id_otdel_2, Num, id_deduce) "
                               "values (2, 2, 3, 3, 1)"));
    MainWindow& form = *rig.form;
    rig.clickTab(1);
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), faculty);
    rig.pick(form.findChild<DBLookupComboBox*>(selector), unit);
    QCOMPARE(shownLines(form), lines);

    child<DateBox>(form, "AsOfDate")->setDate(QDate(2030, 1, 1));
    child<QCheckBox>(form, "AsOfCheck")->setChecked(true);

    QCOMPARE(shownLines(form), lines);
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestScheduleAsOf::dateTypedInTheBoxIsTakenAsTyped_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("typed");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, points", name) << engine << QStringLiteral("01.01.2022");
        QTest::addRow("%s, slashes", name) << engine << QStringLiteral("01/01/2022");
    }
}

// The user clicks into the box showing today and types the day over it.
void TestScheduleAsOf::dateTypedInTheBoxIsTakenAsTyped()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, typed);
    MainWindowRig rig(engine);
    dateTheLines(rig);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    QTest::mouseClick(child<QCheckBox>(form, "AsOfCheck"), Qt::LeftButton);
    QVERIFY(child<QCheckBox>(form, "AsOfCheck")->isChecked());
    auto* box = form.findChild<QWidget*>(QStringLiteral("AsOfDate"));
    QVERIFY(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));

    rig.type(QApplication::focusWidget(), typed);
    rig.press(Qt::Key_Return);

    QCOMPARE(child<DateBox>(form, "AsOfDate")->date(), QDate(2022, 1, 1));
    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

// Grey cells, a mark beside the box, no cell editor where the user clicks; all gone with the view.
void TestScheduleAsOf::viewLooksReadOnly()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    auto* mark = form.findChild<QLabel*>(QStringLiteral("AsOfMark"));
    QVERIFY(mark);
    QVERIFY(!mark->isVisible());
    const QColor editable = child<DBGridEh>(form, "DBGridEh1")->palette().color(QPalette::Base);

    QTest::mouseClick(child<QCheckBox>(form, "AsOfCheck"), Qt::LeftButton);
    rig.clickCell(0, ScheduleColumn::EntryOrder);

    QVERIFY(mark->isVisible());
    QCOMPARE(mark->text(), QStringLiteral("только просмотр"));
    QCOMPARE(editable, QColor(Qt::white));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->palette().color(QPalette::Base) != editable);
    QCOMPARE(QApplication::focusWidget(), child<DBGridEh>(form, "DBGridEh1"));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->viewport()->cursor().shape() != Qt::IBeamCursor);

    QTest::mouseClick(child<QCheckBox>(form, "AsOfCheck"), Qt::LeftButton);
    QVERIFY(!mark->isVisible());
    QCOMPARE(child<DBGridEh>(form, "DBGridEh1")->palette().color(QPalette::Base), editable);
}

void TestScheduleAsOf::calendarOfTheMaximisedWindowOpensOnTheScreen()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    const QRect screen = form.screen()->availableGeometry();
    form.setGeometry(screen);
    QTest::mouseClick(child<QCheckBox>(form, "AsOfCheck"), Qt::LeftButton);
    auto* box = form.findChild<QWidget*>(QStringLiteral("AsOfDate"));
    QVERIFY(box);
    rig.focus(box);

    rig.press(Qt::Key_F4);

    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QVERIFY2(screen.contains(popup->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6")
                                                                     .arg(popup->x())
                                                                     .arg(popup->y())
                                                                     .arg(popup->width())
                                                                     .arg(popup->height())
                                                                     .arg(screen.width())
                                                                     .arg(screen.height())));
    popup->close();
}

QTEST_MAIN(TestScheduleAsOf)
#include "tst_scheduleasof.moc"
