#include "dialogs/AddDepartmentDialog.h"
#include "dialogs/AddDivisionDialog.h"
#include "controls/DBLookupComboBox.h"
#include "tests/dialogs/DialogScripts.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

using namespace zeb;

namespace {

const QString newestLine =
    QStringLiteral("select * from Vakansii where id_vakansiya = (select max(id_vakansiya) from Vakansii)");
const QString lineCount = QStringLiteral("select count(*) as n from Vakansii");

// The unit columns and the post of the newest line, then the columns the server fills by default.
QString newestLineUnits(MainWindowRig& rig)
{
    QStringList values;
    for (const char* column : {"id_post", "id_otdel_1", "id_otdel_11", "id_otdel_2", "id_faculty",
                               "id_kafedra", "id_deduce", "q_units", "Num", "ZEB_User"})
        values.append(rig.stored(newestLine, QString::fromLatin1(column)));
    return values.join(u' ');
}

QStringList entries(const DBLookupComboBox* selector)
{
    QStringList texts;
    for (int row = 0; row < selector->count(); ++row)
        texts.append(selector->itemText(row));
    return texts;
}

// Chooses the main window's unit that the button needs: a division ("division") or a faculty
// ("faculty"), by default "Бухгалтерия" and "ФМ".
void chooseParent(MainWindowRig& rig, const QString& parent, const QString& name = {})
{
    if (parent == QStringLiteral("division"))
        rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"),
                 name.isEmpty() ? QStringLiteral("Бухгалтерия") : name);
    if (parent == QStringLiteral("faculty")) {
        rig.clickTab(1);
        rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Faculty"),
                 name.isEmpty() ? QStringLiteral("ФМ") : name);
    }
}

QToolButton* plusButton(MainWindowRig& rig, const QString& name)
{
    return rig.form->findChild<QToolButton*>(name);
}

// The add dialog the button opens: its drop-down list and its save button.
struct AddDialog
{
    DBLookupComboBox* choice = nullptr;
    QPushButton* save = nullptr;
};

AddDialog controlsOf(QDialog& dialog)
{
    if (auto* division = qobject_cast<AddDivisionDialog*>(&dialog))
        return {child<DBLookupComboBox>(*division, "DBLookupComboBox1"),
                child<QPushButton>(*division, "BitBtn1")};
    auto& department = static_cast<AddDepartmentDialog&>(dialog);
    return {child<DBLookupComboBox>(department, "DBLookupComboBox1"),
            child<QPushButton>(department, "Button1")};
}

} // namespace

class TestAddUnit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogsLookAsTheyShould();
    void addsAUnitAtEachPlace_data();
    void addsAUnitAtEachPlace();
    void withoutItsUnitAButtonOpensNothing_data();
    void withoutItsUnitAButtonOpensNothing();
    void emptyChoiceIsRefusedAndTheDialogStays_data();
    void emptyChoiceIsRefusedAndTheDialogStays();
    void closingWithoutSavingInsertsNothingButRestoresTheLists_data();
    void closingWithoutSavingInsertsNothingButRestoresTheLists();
    void failingInsertIsReportedAndTheDialogStays_data();
    void failingInsertIsReportedAndTheDialogStays();
    void lineDefaultsComeBackWhenTheListFailsToOpen();
};

void TestAddUnit::dialogsLookAsTheyShould()
{
    MainWindowRig rig(EngineKind::Sqlite);
    chooseParent(rig, QStringLiteral("faculty"));
    whenShown<AddDivisionDialog>(rig, [](AddDivisionDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Добавить отдел"));
        QCOMPARE(dialog.size(), QSize(391, 89));
        QCOMPARE(child<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("Cохранить"));
        QVERIFY(child<QPushButton>(dialog, "BitBtn1")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "BitBtn2")->text(), QStringLiteral("Отменить"));
        QVERIFY(!child<QGroupBox>(dialog, "GroupBox1")->isVisible());
        QVERIFY(!child<QTabWidget>(dialog, "PageControl1")
                     ->geometry()
                     .intersects(dialog.rect().adjusted(0, 2, 0, 0)));
        QVERIFY(child<QRadioButton>(dialog, "RBtn_2_2")->isChecked());
        QVERIFY(!child<QRadioButton>(dialog, "RBtn_1")->isEnabled());
        QVERIFY(!child<QRadioButton>(dialog, "RBtn_1_1")->isEnabled());
        QCOMPARE(child<DBLookupComboBox>(dialog, "DBLookupComboBox1")->text(), QString());
    });
    plusButton(rig, QStringLiteral("Button1"))->click();
    whenShown<AddDepartmentDialog>(rig, [](AddDepartmentDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Добавить кафедру"));
        QCOMPARE(child<QPushButton>(dialog, "Button1")->text(), QStringLiteral("Сохранить"));
        QVERIFY(!child<QPushButton>(dialog, "Button1")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("Cancel"));
    });
    plusButton(rig, QStringLiteral("Button3"))->click();
    for (const char* name : {"Button1", "Button2", "Button3", "Button4"}) {
        QToolButton* button = plusButton(rig, QString::fromLatin1(name));
        QCOMPARE(button->size(), QSize(17, 17));
        QCOMPARE(button->text(), QStringLiteral("+"));
    }
}

void TestAddUnit::addsAUnitAtEachPlace_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("lineDefaultsWhileOpen");
    for (const auto& [engineName, engine] : installableEngines) {
        const QByteArray name(engineName);
        QTest::newRow(name + ", first level")
            << engine << QString() << QString() << QStringLiteral("Button4") << QStringLiteral("Лаборатория")
            << QStringLiteral("Insert into Vakansii (id_post, id_Otdel_1) values(1,4)")
            << QStringLiteral("1 4 null null null null 1 null null null")
            << QStringLiteral("DBLookupComboboxEh_Otdel_1") << true;
        // Parents without a unit of the kind yet: the selector opens for the new one.
        QTest::newRow(name + ", sub-level")
            << engine << QStringLiteral("division") << QStringLiteral("Архив") << QStringLiteral("Button2")
            << QStringLiteral("Лаборатория")
            << QStringLiteral("Insert into Vakansii (id_post, id_Otdel_11,id_Otdel_1 ) values(1, 4,5)")
            << QStringLiteral("1 5 4 null null null 1 null null null")
            << QStringLiteral("DBLookupComboboxEh_Otdel_11") << true;
        QTest::newRow(name + ", level two")
            << engine << QStringLiteral("faculty") << QStringLiteral("ФЭ") << QStringLiteral("Button1")
            << QStringLiteral("Лаборатория")
            << QStringLiteral("Insert into Vakansii (id_post, id_Otdel_2,id_faculty) values(1, 4,2)")
            << QStringLiteral("1 null null 4 2 null 1 null null null")
            << QStringLiteral("DBLookupComboboxEh_Otdel_2") << false;
        QTest::newRow(name + ", department")
            << engine << QStringLiteral("faculty") << QStringLiteral("ФЭ") << QStringLiteral("Button3")
            << QStringLiteral("Кафедра алгебры")
            << QStringLiteral("Insert into Vakansii (id_post, id_kafedra,id_faculty) values(1,1,2)")
            << QStringLiteral("1 null null null 2 1 1 null null null")
            << QStringLiteral("DBLookupComboboxEh_Kafedra") << false;
    }
}

void TestAddUnit::addsAUnitAtEachPlace()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, parent);
    QFETCH(QString, parentName);
    QFETCH(QString, button);
    QFETCH(QString, entry);
    QFETCH(QString, statement);
    QFETCH(QString, line);
    QFETCH(QString, selector);
    QFETCH(bool, lineDefaultsWhileOpen);
    MainWindowRig rig(engine);
    chooseParent(rig, parent, parentName);
    const auto* unitSelector = rig.form->findChild<DBLookupComboBox*>(selector);
    QVERIFY(!entries(unitSelector).contains(entry));
    SentStatements sent;
    bool lineDefaults = true;
    QStringList firstLevelWhileOpen;
    int saveAt = -1;

    rig.platform.queueModal([&](QDialog& dialog) {
        dialog.show();
        lineDefaults = rig.form->applyLineDefaults();
        firstLevelWhileOpen = entries(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"));
        const AddDialog controls = controlsOf(dialog);
        rig.pick(controls.choice, entry);
        saveAt = int(sent.list().size());
        QTest::mouseClick(controls.save, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
    plusButton(rig, button)->click();

    QCOMPARE(lineDefaults, lineDefaultsWhileOpen);
    QVERIFY(rig.form->applyLineDefaults());
    if (button == QStringLiteral("Button4") || button == QStringLiteral("Button2"))
        QCOMPARE(firstLevelWhileOpen.size(), 5);
    QCOMPARE(sent.list().at(saveAt), statement);
    // The window's lists were read again after the insert, and the dialog gave them back on closing.
    QVERIFY(sent.list().mid(saveAt + 1).contains(rig.dataModule.posts.sql()));
    QCOMPARE(newestLineUnits(rig), line);
    QVERIFY2(entries(unitSelector).contains(entry), qPrintable(entries(unitSelector).join(u',')));
    QVERIFY(unitSelector->isEnabled());
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestAddUnit::withoutItsUnitAButtonOpensNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("restoresLineDefaults");
    QTest::newRow("sub-level") << QStringLiteral("Button2") << false;
    QTest::newRow("level two") << QStringLiteral("Button1") << true;
    QTest::newRow("department") << QStringLiteral("Button3") << true;
}

void TestAddUnit::withoutItsUnitAButtonOpensNothing()
{
    QFETCH(QString, button);
    QFETCH(bool, restoresLineDefaults);
    MainWindowRig rig(EngineKind::Sqlite);
    rig.form->setApplyLineDefaults(false);
    SentStatements sent;

    plusButton(rig, button)->click();

    QCOMPARE(rig.platform.modalRuns(), QStringList(QStringLiteral("zeb::SignInDialog")));
    QCOMPARE(sent.list(), QStringList());
    QCOMPARE(rig.form->applyLineDefaults(), restoresLineDefaults);
}

void TestAddUnit::emptyChoiceIsRefusedAndTheDialogStays_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("enterSaves");
    QTest::newRow("division") << QStringLiteral("Button1") << true;
    QTest::newRow("department") << QStringLiteral("Button3") << false;
}

void TestAddUnit::emptyChoiceIsRefusedAndTheDialogStays()
{
    QFETCH(QString, button);
    QFETCH(bool, enterSaves);
    MainWindowRig rig(EngineKind::Sqlite);
    chooseParent(rig, QStringLiteral("faculty"));
    const QString before = rig.stored(lineCount, QStringLiteral("n"));
    bool stillOpen = false;
    QStringList boxesAfterEnter;

    whenShown<QDialog>(rig, [&](QDialog& dialog) {
        const AddDialog controls = controlsOf(dialog);
        controls.choice->setFocus();
        if (enterSaves)
            rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::keyClick(controls.choice, Qt::Key_Return);
        boxesAfterEnter = rig.platform.boxTexts();
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(controls.save, Qt::LeftButton);
        stillOpen = dialog.isVisible();
    });
    plusButton(rig, button)->click();

    const QString refusal = QStringLiteral("Вы не ввели данные!\rВведите данные!");
    QCOMPARE(boxesAfterEnter, enterSaves ? QStringList(refusal) : QStringList());
    QVERIFY(stillOpen);
    QCOMPARE(rig.platform.boxes().last().caption, QStringLiteral("Error"));
    QCOMPARE(rig.platform.boxes().last().icon, MessageIcon::Error);
    QCOMPARE(rig.platform.boxes().last().text, refusal);
    QCOMPARE(rig.stored(lineCount, QStringLiteral("n")), before);
}

void TestAddUnit::closingWithoutSavingInsertsNothingButRestoresTheLists_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("way");
    for (const auto& [engineName, engine] : installableEngines) {
        for (const char* button : {"Button1", "Button3"}) {
            for (const char* way : {"cancel", "Escape", "close box"}) {
                QTest::addRow("%s, %s, %s", engineName, button, way)
                    << engine << QString::fromLatin1(button) << QString::fromLatin1(way);
            }
        }
    }
}

void TestAddUnit::closingWithoutSavingInsertsNothingButRestoresTheLists()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, button);
    QFETCH(QString, way);
    MainWindowRig rig(engine);
    chooseParent(rig, QStringLiteral("faculty"));
    const QString before = rig.stored(lineCount, QStringLiteral("n"));
    SentStatements sent;

    rig.platform.queueModal([&](QDialog& dialog) {
        dialog.show();
        const AddDialog controls = controlsOf(dialog);
        rig.pick(controls.choice, button == QStringLiteral("Button3") ? QStringLiteral("Кафедра физики")
                                                                      : QStringLiteral("Лаборатория"));
        sent.clear();
        if (way == QStringLiteral("cancel"))
            QTest::mouseClick(dialog.findChild<QPushButton*>(button == QStringLiteral("Button3")
                                                                 ? QStringLiteral("BitBtn1")
                                                                 : QStringLiteral("BitBtn2")),
                              Qt::LeftButton);
        else if (way == QStringLiteral("Escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
    plusButton(rig, button)->click();

    const QStringList restored =
        button == QStringLiteral("Button3")
            ? QStringList(expected::departmentsWithAnyLineOf(1))
            : QStringList({expected::divisionsInUse(), expected::departmentsWithAnyLineOf(1)});
    QCOMPARE(sent.list(), restored);
    QCOMPARE(rig.stored(lineCount, QStringLiteral("n")), before);
    QVERIFY(rig.form->applyLineDefaults());
}

void TestAddUnit::failingInsertIsReportedAndTheDialogStays_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("removal");
    for (const auto& [engineName, engine] : installableEngines) {
        const QByteArray name(engineName);
        QTest::newRow(name + ", division")
            << engine << QStringLiteral("Button1") << QStringLiteral("Лаборатория")
            << QStringLiteral("delete from Otdel_1 where id_otdel_1 = 4");
        QTest::newRow(name + ", department")
            << engine << QStringLiteral("Button3") << QStringLiteral("Кафедра истории")
            << QStringLiteral("delete from Kafedra where id_kafedra = 4");
    }
}

void TestAddUnit::failingInsertIsReportedAndTheDialogStays()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, button);
    QFETCH(QString, entry);
    QFETCH(QString, removal);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра истории')"));
    chooseParent(rig, QStringLiteral("faculty"));
    const QString before = rig.stored(lineCount, QStringLiteral("n"));
    SentStatements sent;
    bool stillOpen = false;
    bool lineDefaults = true;
    QStringList sentBySave;

    rig.platform.queueModal([&](QDialog& dialog) {
        dialog.show();
        const AddDialog controls = controlsOf(dialog);
        rig.pick(controls.choice, entry);
        // Another workstation removes the chosen unit meanwhile.
        rig.execute(removal);
        sent.clear();
        QTest::mouseClick(controls.save, Qt::LeftButton);
        sentBySave = sent.list();
        stillOpen = dialog.isVisible();
        lineDefaults = rig.form->applyLineDefaults();
        dialog.close();
        return ModalResult::Cancel;
    });
    plusButton(rig, button)->click();

    QVERIFY(stillOpen);
    QCOMPARE(rig.platform.errors().size(), 1);
    QCOMPARE(sentBySave.size(), 1);
    QVERIFY(!lineDefaults);
    QVERIFY(rig.form->applyLineDefaults());
    QCOMPARE(rig.stored(lineCount, QStringLiteral("n")), before);
}

void TestAddUnit::lineDefaultsComeBackWhenTheListFailsToOpen()
{
    MainWindowRig rig(EngineKind::Sqlite);
    chooseParent(rig, QStringLiteral("faculty"));
    rig.installation->adminEngine()->run(QStringLiteral("alter table Kafedra rename to Kafedra_gone"));

    plusButton(rig, QStringLiteral("Button3"))->click();

    QCOMPARE(rig.platform.errors().size(), 1);
    QCOMPARE(rig.platform.modalRuns(), QStringList(QStringLiteral("zeb::SignInDialog")));
    QVERIFY(rig.form->applyLineDefaults());
}

QTEST_MAIN(TestAddUnit)
#include "tst_addunit.moc"
