#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "tests/support/EngineRows.h"
#include "data/dataset/Field.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "schedule/grid/ScheduleColumns.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

using namespace zeb;

namespace {

// A new line with only its post, put before the first line; moving down to the next line saves it.
void addLineWithPost(MainWindowRig& rig)
{
    rig.clickCell(0, ScheduleColumn::Post);
    rig.press(Qt::Key_Insert);
    rig.pickInCell(rig.schedule().recNo(), ScheduleColumn::Post, QStringLiteral("Доцент"));
}

QString newLine(MainWindowRig& rig, const QString& column)
{
    return rig.stored(
        QStringLiteral("select * from Vakansii where id_vakansiya = (select max(id_vakansiya) from "
                       "Vakansii)"),
        column);
}

} // namespace

class TestLineSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newLineTakesDefaultsAndTheChosenUnit_data();
    void newLineTakesDefaultsAndTheChosenUnit();
    void longLoginIsStoredCut_data() { addEngineRows(); }
    void longLoginIsStoredCut();
    void missingEntryKindIsNamed_data() { addEngineRows(); }
    void missingEntryKindIsNamed();
    void selectedLinesAreDeletedAtOnce_data() { addEngineRows(); }
    void selectedLinesAreDeletedAtOnce();
    void deleteRefusedWhileAnEmployeeHoldsALine_data() { addEngineRows(); }
    void deleteRefusedWhileAnEmployeeHoldsALine();
    void unselectedCurrentLineIsDeleted_data() { addEngineRows(); }
    void unselectedCurrentLineIsDeleted();
    void deletingAnUnsavedNewLineOnlyDropsIt_data() { addEngineRows(); }
    void deletingAnUnsavedNewLineOnlyDropsIt();
    void gradeTheColumnCannotHoldIsRefused_data();
    void gradeTheColumnCannotHoldIsRefused();
    void gradeOfEighteenDigitsIsKeptExactly_data() { addEngineRows(); }
    void gradeOfEighteenDigitsIsKeptExactly();
};

void TestLineSave::newLineTakesDefaultsAndTheChosenUnit_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("facultyPage");
    QTest::addColumn<bool>("defaults");
    // id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_otdel_2, id_structure, id_bk, q_units, id_enter,
    // id_deduce
    QTest::addColumn<QString>("expected");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, division", name)
            << engine << false << true << QStringLiteral("1,null,null,null,null,5,1,0,1,1");
        QTest::addRow("%s, department", name)
            << engine << true << true << QStringLiteral("null,null,1,1,null,5,1,0,1,1");
        QTest::addRow("%s, division, defaults off", name)
            << engine << false << false << QStringLiteral("null,null,null,null,null,null,null,null,1,1");
    }
}

void TestLineSave::newLineTakesDefaultsAndTheChosenUnit()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, facultyPage);
    QFETCH(bool, defaults);
    QFETCH(QString, expected);
    MainWindowRig rig(engine);
    if (facultyPage) {
        rig.clickTab(1);
        rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
        rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Kafedra"),
                 QStringLiteral("Кафедра алгебры"));
    } else {
        rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"),
                 QStringLiteral("Бухгалтерия"));
    }
    rig.form->setApplyLineDefaults(defaults);

    addLineWithPost(rig);
    if (!defaults) {
        // Without defaults the entry and withdrawal kinds must be given; the server's default is not enough.
        rig.pickInCell(rig.schedule().recNo(), ScheduleColumn::Enter, QStringLiteral("Штатная"));
        rig.pickInCell(rig.schedule().recNo(), ScheduleColumn::Deduce, QStringLiteral("Не выведена"));
    }
    rig.press(Qt::Key_Down);

    QCOMPARE(rig.platform.errors().join(QLatin1Char('\n')), QString());
    QStringList values;
    for (const char* column : {"id_otdel_1", "id_otdel_11", "id_faculty", "id_kafedra", "id_otdel_2",
                               "id_structure", "id_bk", "q_units", "id_enter", "id_deduce"})
        values.append(newLine(rig, QString::fromLatin1(column)));
    QCOMPARE(values.join(QLatin1Char(',')), expected);
    QCOMPARE(newLine(rig, QStringLiteral("ZEB_User")), QStringLiteral("kadry"));
    QCOMPARE(newLine(rig, QStringLiteral("ZEB_Update")), QStringLiteral("15.03.2024"));
    QCOMPARE(newLine(rig, QStringLiteral("e_d_p")), QStringLiteral("15.03.2024"));
}

void TestLineSave::longLoginIsStoredCut()
{
    QFETCH(EngineKind, engine);
    const QString login = QStringLiteral("очень-длинное-имя-входа-25");
    QCOMPARE(login.size(), 26);
    MainWindowRig rig(engine, login.left(25));
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    addLineWithPost(rig);
    rig.press(Qt::Key_Down);
    QCOMPARE(newLine(rig, QStringLiteral("ZEB_User")), login.left(20));
}

void TestLineSave::missingEntryKindIsNamed()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.form->setApplyLineDefaults(false);
    rig.clickCell(0, ScheduleColumn::Grade);
    rig.press(Qt::Key_Insert);
    rig.type(QApplication::focusWidget(), QStringLiteral("7"));
    rig.platform.queueAnswer(MessageAnswer::Ok);

    // Neither post nor entry kind: the save names the entry kind.
    QTest::mouseClick(child<DBNavigator>(*rig.form, "DBNavigator1")->postButton(), Qt::LeftButton);

    QCOMPARE(rig.platform.boxTexts(), QStringList({QStringLiteral("Вы не заполнили поле \"Ввести\"!!!")}));
    QCOMPARE(rig.platform.boxes().first().caption, QStringLiteral("Уведомление"));
    QCOMPARE(rig.platform.boxes().first().icon, MessageIcon::Warning);
    QCOMPARE(rig.platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig.schedule().state(), Dataset::State::Insert);
    QCOMPARE(rig.schedule().fieldByName(QStringLiteral("razrad"))->asString(), QStringLiteral("7"));
    QCOMPARE(child<DBGridEh>(*rig.form, "DBGridEh1")->selectedIndex(), int(ScheduleColumn::Enter));
    QCOMPARE(rig.stored(QStringLiteral("select count(*) as n from Vakansii"), QStringLiteral("n")),
             QStringLiteral("11"));
}

void TestLineSave::selectedLinesAreDeletedAtOnce()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 4, 1, 1)"));
    rig.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 4, 2, 1)"));
    rig.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 4, 3, 1)"));
    rig.form->dataModule().divisions.close();
    rig.form->dataModule().divisions.open();
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Лаборатория"));
    rig.clickCell(0, ScheduleColumn::Grade);
    rig.clickCell(2, ScheduleColumn::Grade, Qt::ControlModifier);
    rig.clickCell(0, ScheduleColumn::Grade, Qt::ControlModifier);
    QCOMPARE(child<DBGridEh>(*rig.form, "DBGridEh1")->selectedRows().size(), 2);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(rig.platform.boxTexts(), QStringList({QStringLiteral("Delete all selected records?")}));
    QVERIFY(sent.list().contains(QStringLiteral("Delete From Vakansii Where id_vakansiya in (14,12)")) ||
            sent.list().contains(QStringLiteral("Delete From Vakansii Where id_vakansiya in (12,14)")));
    QCOMPARE(rig.stored(QStringLiteral("select id_vakansiya from Vakansii where id_otdel_1 = 4"),
                        QStringLiteral("id_vakansiya")),
             QStringLiteral("13"));
    QCOMPARE(rig.schedule().recordCount(), 1);
}

void TestLineSave::deleteRefusedWhileAnEmployeeHoldsALine()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(0, ScheduleColumn::Grade);
    rig.clickCell(1, ScheduleColumn::Grade, Qt::ShiftModifier);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(rig.platform.boxTexts(),
             QStringList({QStringLiteral("Delete all selected records?"),
                          QStringLiteral("Данная вакансия используется в должности.")}));
    QCOMPARE(rig.platform.boxes().last().caption, QStringLiteral("Уведомление"));
    QCOMPARE(rig.platform.boxes().last().icon, MessageIcon::Error);
    QVERIFY(sent.list().contains(QStringLiteral("Delete From Vakansii Where id_vakansiya in (1,2)")));
    QCOMPARE(rig.stored(QStringLiteral("select count(*) as n from Vakansii where id_vakansiya in (1, 2)"),
                        QStringLiteral("n")),
             QStringLiteral("2"));
    QCOMPARE(rig.schedule().recordCount(), 2);
}

void TestLineSave::unselectedCurrentLineIsDeleted()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(1, ScheduleColumn::Grade);
    QCOMPARE(child<DBGridEh>(*rig.form, "DBGridEh1")->selectedRows().size(), 0);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(rig.platform.boxTexts(), QStringList({QStringLiteral("Delete record?")}));
    QVERIFY(sent.list().contains(QStringLiteral("Delete From Vakansii Where id_vakansiya in (2)")));
    QCOMPARE(rig.stored(QStringLiteral("select count(*) as n from Vakansii where id_vakansiya = 2"),
                        QStringLiteral("n")),
             QStringLiteral("0"));
    QCOMPARE(rig.schedule().recordCount(), 1);
}

void TestLineSave::deletingAnUnsavedNewLineOnlyDropsIt()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(1, ScheduleColumn::Grade);
    rig.press(Qt::Key_Insert);
    QCOMPARE(rig.schedule().state(), Dataset::State::Insert);
    const QString lines = QStringLiteral("select count(*) as n from Vakansii");
    const QString before = rig.stored(lines, QStringLiteral("n"));
    rig.platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig.press(Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(sent.list(), QStringList());
    QCOMPARE(rig.schedule().state(), Dataset::State::Browse);
    QCOMPARE(rig.schedule().recordCount(), 2);
    QCOMPARE(rig.stored(lines, QStringLiteral("n")), before);
}

void TestLineSave::gradeTheColumnCannotHoldIsRefused_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("typed");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: 20 digits", name) << engine << QStringLiteral("12345678901234567890");
        QTest::addRow("%s: 19 digits", name) << engine << QStringLiteral("1234567890123456789");
        QTest::addRow("%s: a fraction", name) << engine << QStringLiteral("1,5");
        QTest::addRow("%s: a negative fraction", name) << engine << QStringLiteral("-0,25");
    }
}

// Refused as typed, before the change is asked about and before anything is saved, alike on every engine.
void TestLineSave::gradeTheColumnCannotHoldIsRefused()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, typed);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    const QString grade = QStringLiteral("select razrad from Vakansii where id_vakansiya = 1");
    const QString before = rig.stored(grade, QStringLiteral("razrad"));

    rig.typeIntoCell(0, ScheduleColumn::Grade, typed);
    rig.press(Qt::Key_Down);

    QCOMPARE(rig.platform.errors(),
             QStringList{
                 QStringLiteral("«%1» не подходит: нужно ввести целое число, не более 18 цифр.").arg(typed)});
    QCOMPARE(rig.platform.boxTexts(), QStringList());
    QCOMPARE(rig.stored(grade, QStringLiteral("razrad")), before);
    QCOMPARE(rig.reloaded(1, QStringLiteral("razrad")), before);
}

void TestLineSave::gradeOfEighteenDigitsIsKeptExactly()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.platform.queueAnswer(MessageAnswer::Ok);

    rig.typeIntoCell(0, ScheduleColumn::Grade, QStringLiteral("123456789012345678"));
    rig.press(Qt::Key_Down);

    QCOMPARE(rig.platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig.platform.boxTexts(),
             QStringList({QStringLiteral("Вы действительно хотите изменить разряд?")}));
    QCOMPARE(rig.reloaded(1, QStringLiteral("razrad")), QStringLiteral("123456789012345678"));
}

QTEST_MAIN(TestLineSave)
#include "tst_linesave.moc"
