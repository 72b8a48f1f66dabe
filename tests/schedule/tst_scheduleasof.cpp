#include "DBGridEh.h"
#include "DBGridFooter.h"
#include "DBLookupComboBox.h"
#include "DBRichEdit.h"
#include "EngineRows.h"
#include "Field.h"
#include "MainWindowRig.h"
#include "ScheduleColumns.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QTest>

using namespace zeb;

namespace {

// The lines the grid shows, by key, comma-separated.
QString shownLines(const TForm1& form)
{
    const Dataset& shown = *form.DBGridEh1->dataset();
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
    void viewEditsNothingAndGivesTheScheduleBack();
};

void TestScheduleAsOf::viewShowsTheLinesInForceOnTheDay()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    dateTheLines(rig);
    TForm1& form = *rig.form;
    QVERIFY(!form.AsOfCheck->isChecked());
    QVERIFY(!form.AsOfDate->isEnabled());
    rig.pick(form.DBLookupComboboxEh_Otdel_1, QStringLiteral("Бухгалтерия"));
    // Today line 3 is withdrawn and line 4 has no withdrawal kind: the schedule leaves both out.
    QCOMPARE(shownLines(form), QStringLiteral("1,2"));

    form.AsOfDate->setDate(QDate(2022, 1, 1));
    form.AsOfCheck->setChecked(true);

    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QCOMPARE(form.DBGridEh1Footer->totalText(QStringLiteral("q_units")), QStringLiteral("1,75"));
    // Another day, and another unit: the view follows both.
    form.AsOfDate->setDate(QDate(2020, 1, 10));
    const QString withdrawnBefore =
        rig.stored(QStringLiteral("select max(id_vakansiya) as id from Vakansii"), QStringLiteral("id"));
    QCOMPARE(shownLines(form), QStringLiteral("1,3,4,") + withdrawnBefore);
    rig.pick(form.DBLookupComboboxEh_Otdel_11, QStringLiteral("Расчётная группа"));
    QCOMPARE(shownLines(form), QStringLiteral("5"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestScheduleAsOf::viewEditsNothingAndGivesTheScheduleBack()
{
    MainWindowRig rig(EngineKind::Sqlite);
    dateTheLines(rig);
    TForm1& form = *rig.form;
    rig.pick(form.DBLookupComboboxEh_Otdel_1, QStringLiteral("Бухгалтерия"));
    form.AsOfDate->setDate(QDate(2022, 1, 1));
    form.AsOfCheck->setChecked(true);

    rig.clickCell(0, ScheduleColumn::Units);
    rig.type(QApplication::focusWidget(), QStringLiteral("7"));
    rig.press(Qt::Key_Return);
    rig.press(Qt::Key_Insert);
    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QVERIFY(rig.platform.boxes().isEmpty());
    QCOMPARE(rig.reloaded(1, QStringLiteral("q_units")), QStringLiteral("1"));
    QCOMPARE(shownLines(form), QStringLiteral("1,3,4"));
    QVERIFY(!form.DBRichEdit1->isEnabled());

    form.AsOfCheck->setChecked(false);
    QCOMPARE(shownLines(form), QStringLiteral("1,2"));
    QVERIFY(!form.DBGridEh1->isReadOnly());
    QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
}

QTEST_MAIN(TestScheduleAsOf)
#include "tst_scheduleasof.moc"
