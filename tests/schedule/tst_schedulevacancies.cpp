#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DateBox.h"
#include "schedule/grid/ScheduleColumns.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/NamedChild.h"

#include <QCheckBox>
#include <QTest>

using namespace zeb;

namespace {

// Division "Бухгалтерия" around the workstation's day, 15.03.2024: line 1 (row 0) has 1 staff unit, filled
// since 2020 and by half a rate more until 01.06.2024; line 2 (row 1) has 1,5 units, held by one who left on
// 01.02.2024, and half a rate comes the day after. Line 5 of the sub-level "Расчётная группа" has 1 unit
// and an employee whose rate is not known.
std::unique_ptr<MainWindowRig> divisionWithStaff(EngineKind engine)
{
    auto rig = std::make_unique<MainWindowRig>(engine);
    for (const char* statement :
         {"update Vakansii set q_units = 1, e_d_p = '01.01.2019' where id_vakansiya = 1",
          "update Vakansii set q_units = 1.5, e_d_p = '01.01.2019' where id_vakansiya = 2",
          "update Vakansii set q_units = 1 where id_vakansiya = 5",
          "insert into Stavka (stavka) values (0.5)", "insert into Stavka (stavka) values (1)",
          "insert into Working (id_vakansiya, id_stavka, date_come, id_leave) values (1, 2, '01.01.2020', 4)",
          "insert into Working (id_vakansiya, id_stavka, date_come, id_leave, Date_leave) "
          "values (1, 1, '01.01.2024', 1, '01.06.2024')",
          "insert into Working (id_vakansiya, id_stavka, date_come, id_leave, Date_leave) "
          "values (2, 2, '01.09.2019', 1, '01.02.2024')",
          "insert into Working (id_vakansiya, id_stavka, date_come) values (2, 1, '16.03.2024')"})
        rig->execute(QString::fromUtf8(statement));
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_1"),
              QStringLiteral("Бухгалтерия"));
    return rig;
}

QString note(MainWindowRig& rig)
{
    return child<DBGridFooter>(*rig.form, "DBGridEh1Footer")->note();
}

} // namespace

class TestScheduleVacancies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void footerShowsTheUnitsOccupiedToday_data() { addEngineRows(); }
    void footerShowsTheUnitsOccupiedToday()
    {
        QFETCH(EngineKind, engine);
        const auto rig = divisionWithStaff(engine);
        QCOMPARE(child<DBGridFooter>(*rig->form, "DBGridEh1Footer")->caption(), QStringLiteral("Итого:"));
        QCOMPARE(note(*rig), QStringLiteral("занято 1,5 · вакантно 1,5 · сверх 0,5"));

        rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_11"),
                  QStringLiteral("Расчётная группа"));
        QCOMPARE(note(*rig), QStringLiteral("занято 0 · вакантно 1"));
    }

    void footerFollowsASavedLine_data() { addEngineRows(); }
    void footerFollowsASavedLine()
    {
        QFETCH(EngineKind, engine);
        const auto rig = divisionWithStaff(engine);
        rig->platform.queueAnswer(MessageAnswer::Ok);
        rig->typeIntoCell(1, ScheduleColumn::Units, QStringLiteral("2"));
        QCOMPARE(rig->schedule().state(), Dataset::State::Edit);
        rig->press(Qt::Key_Up);
        QCOMPARE(rig->schedule().state(), Dataset::State::Browse);
        QCOMPARE(note(*rig), QStringLiteral("занято 1,5 · вакантно 2 · сверх 0,5"));
    }

    // On 01.01.2022 line 1 is full and line 2 held by the one who left since.
    void footerFollowsTheDayOfTheView_data() { addEngineRows(); }
    void footerFollowsTheDayOfTheView()
    {
        QFETCH(EngineKind, engine);
        const auto rig = divisionWithStaff(engine);
        child<DateBox>(*rig->form, "AsOfDate")->setDate(QDate(2022, 1, 1));
        QTest::mouseClick(child<QCheckBox>(*rig->form, "AsOfCheck"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(child<QCheckBox>(*rig->form, "AsOfCheck")->isChecked());
        QCOMPARE(note(*rig), QStringLiteral("занято 2 · вакантно 0,5"));

        child<DateBox>(*rig->form, "AsOfDate")->setDate(QDate(2024, 7, 1));
        QCOMPARE(note(*rig), QStringLiteral("занято 1,5 · вакантно 1"));

        QTest::mouseClick(child<QCheckBox>(*rig->form, "AsOfCheck"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(note(*rig), QStringLiteral("занято 1,5 · вакантно 1,5 · сверх 0,5"));
    }
};

QTEST_MAIN(TestScheduleVacancies)
#include "tst_schedulevacancies.moc"
