#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "data/dataset/Field.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

using namespace zeb;
using namespace expected;

namespace {

// The field of every loaded line, comma-separated ("null" for NULL).
QString column(Dataset& dataset, const QString& field)
{
    QStringList values;
    const int index = dataset.fieldIndex(field);
    for (int row = 0; row < dataset.recordCount(); ++row) {
        const QVariant value = dataset.valueAt(row, index);
        values.append(value.isNull() ? QStringLiteral("null") : value.toString());
    }
    return values.join(QLatin1Char(','));
}

QString platformErrors(const MainWindowRig& rig)
{
    return rig.platform.errors().join(QLatin1Char('\n'));
}

bool isWhiteAndEnabled(const DBLookupComboBox* selector)
{
    return selector->isEnabled() && selector->color() == QColor(0xFF, 0xFF, 0xFF);
}

bool isSilverAndDisabled(const DBLookupComboBox* selector)
{
    return !selector->isEnabled() && selector->color() == QColor(0xC0, 0xC0, 0xC0);
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnTheDivisionsPage();
    void facultyListShowsFullNames();
    void divisionShowsItsLinesAndSubLevels_data() { addEngineRows(); }
    void divisionShowsItsLinesAndSubLevels();
    void divisionWithoutSubLevelsOrLinesInUse_data() { addEngineRows(); }
    void divisionWithoutSubLevelsOrLinesInUse();
    void facultyShowsItsLinesLevel2DivisionsAndDepartments_data() { addEngineRows(); }
    void facultyShowsItsLinesLevel2DivisionsAndDepartments();
    void level2DivisionAndDepartmentExcludeEachOther_data() { addEngineRows(); }
    void level2DivisionAndDepartmentExcludeEachOther();
    void tabSwitchAndBackEmptiesEverything_data() { addEngineRows(); }
    void tabSwitchAndBackEmptiesEverything();
    void noFacultyNoStatement_data() { addEngineRows(); }
    void noFacultyNoStatement();
    void whollyUnnumberedUnitIsNumberedInPlace_data() { addEngineRows(); }
    void whollyUnnumberedUnitIsNumberedInPlace();
    void newLinesAreNumberedLastAndReloaded_data() { addEngineRows(); }
    void newLinesAreNumberedLastAndReloaded();
    void failedSaveBeforeNavigationIsShown_data() { addEngineRows(); }
    void failedSaveBeforeNavigationIsShown();
};

// Abbreviations alone are easily mistaken: the list shows each faculty's full name beside it and as the
// entry's tool tip, the chosen faculty's full name is the selector's tool tip, and the box shows the
// abbreviation.
void TestNavigation::facultyListShowsFullNames()
{
    MainWindowRig rig(EngineKind::Sqlite);
    const QString longName = QStringLiteral("Факультет прикладной математики, механики и информатики");
    rig.execute(QStringLiteral("insert into Faculty ([p23-1], [p23-2], id_vuz) values ('ФМиИ', '%1', 1)")
                    .arg(longName));
    MainWindow& form = *rig.form;
    child<QAction>(form, "Refresh_Shtat_M")->trigger();
    DBLookupComboBox* faculty = child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty");
    rig.clickTab(1);
    static_cast<QComboBox*>(faculty)->showPopup();
    QAbstractItemView* list = faculty->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    const QFontMetrics metrics(list->font());
    QVERIFY(list->viewport()->width() >= metrics.horizontalAdvance(QStringLiteral("ФМиИ — ") + longName));
    const int entry = faculty->findText(QStringLiteral("ФМ"));
    QVERIFY(entry >= 0);
    const QModelIndex index = list->model()->index(entry, faculty->modelColumn());
    QCOMPARE(index.data(Qt::ToolTipRole).toString(), QStringLiteral("Физико-математический"));
    const QPoint at = list->visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("Физико-математический"));
    QToolTip::hideText();
    faculty->hidePopup();

    rig.pick(faculty, QStringLiteral("ФЭ"));
    QCOMPARE(faculty->text(), QStringLiteral("ФЭ"));
    QCOMPARE(faculty->currentText(), QStringLiteral("ФЭ"));
    QCOMPARE(faculty->toolTip(), QStringLiteral("Экономический"));
}

void TestNavigation::startsOnTheDivisionsPage()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    QCOMPARE(child<QTabBar>(form, "TabSet1")->count(), 2);
    QCOMPARE(child<QTabBar>(form, "TabSet1")->tabText(0), QStringLiteral("Отделы"));
    QCOMPARE(child<QTabBar>(form, "TabSet1")->tabText(1), QStringLiteral("Факультеты"));
    QCOMPARE(child<QTabBar>(form, "TabSet1")->currentIndex(), 0);
    QCOMPARE(child<QStackedWidget>(form, "Notebook1")->currentIndex(), 0);
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1")->isEnabled());
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty")->isEnabled());
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")));
    QVERIFY(!child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->isEnabled());
    QVERIFY(!child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->isEnabled());
    QVERIFY(!child<DBGridEh>(form, "DBGridEh1")->isEnabled());
    QVERIFY(rig.schedule().isActive());
    QCOMPARE(rig.schedule().recordCount(), 0);
    QCOMPARE(child<DBGridEh>(form, "DBGridEh1")->model()->columnCount(), 13);
    for (QToolButton* button : {child<QToolButton>(form, "Button1"), child<QToolButton>(form, "Button2"),
                                child<QToolButton>(form, "Button3"), child<QToolButton>(form, "Button4")})
        QCOMPARE(button->toolTip(), QStringLiteral("Добавить отдел второго уровня"));
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1")->geometry(), QRect(8, 21, 383, 24));
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->geometry(),
             QRect(632, 21, 330, 24));
    QCOMPARE(form.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(form.font().pixelSize(), 13);
}

void TestNavigation::divisionShowsItsLinesAndSubLevels()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    SentStatements sent;

    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));

    // Line 2 had no number: it gets the next one and the unit is read again.
    QCOMPARE(sent.list(), QStringList({subLevels(1), divisionLines(1), divisionLines(1)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("1,2"));
    QCOMPARE(column(rig.schedule(), QStringLiteral("Num")), QStringLiteral("1,2"));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->isEnabled());
    QVERIFY(isWhiteAndEnabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")));
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")->text(), QString());
    QVERIFY(!child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->isEnabled());
    QVERIFY(!child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->isEnabled());

    sent.clear();
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11"),
             QStringLiteral("Расчётная группа"));
    QCOMPARE(sent.list(), QStringList({subLevelLines(1, 2)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("5"));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->isEnabled());
    QCOMPARE(child<DBGridEh>(form, "DBGridEh1")->model()->rowCount(), 1);
}

void TestNavigation::divisionWithoutSubLevelsOrLinesInUse()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    SentStatements sent;

    // Every line of "Архив" is withdrawn: it is listed, but shows nothing and has no sub-levels.
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Архив"));

    QCOMPARE(sent.list(), QStringList({subLevels(5), divisionLines(5)}));
    QCOMPARE(rig.schedule().recordCount(), 0);
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->isEnabled());
}

void TestNavigation::facultyShowsItsLinesLevel2DivisionsAndDepartments()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickTab(1);
    SentStatements sent;

    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));

    QCOMPARE(sent.list(), QStringList({levelTwoDivisions(1), facultyDepartments(1), facultyLines(1)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("6"));
    QVERIFY(isWhiteAndEnabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")));
    QVERIFY(isWhiteAndEnabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")));
    // The withdrawn line of "Кафедра геометрии" does not bring it into the list.
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->count(), 1);
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->itemText(0),
             QStringLiteral("Кафедра алгебры"));
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->itemText(0),
             QStringLiteral("Деканат"));
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1")->keyValue().isNull());
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->isEnabled());

    // A faculty whose only department has lines but no level-2 division.
    sent.clear();
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФЭ"));
    QCOMPARE(sent.list(), QStringList({levelTwoDivisions(2), facultyDepartments(2), facultyLines(2)}));
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")));
    QVERIFY(isWhiteAndEnabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")));
    QCOMPARE(rig.schedule().recordCount(), 0);
}

void TestNavigation::level2DivisionAndDepartmentExcludeEachOther()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.clickTab(1);
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
    SentStatements sent;

    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"), QStringLiteral("Деканат"));
    QCOMPARE(sent.list(), QStringList({levelTwoDivisionLines(3, 1)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("7"));

    sent.clear();
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra"), QStringLiteral("Кафедра алгебры"));
    QCOMPARE(sent.list(), QStringList({departmentLines(1, 1)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("8"));
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->keyValue().isNull());
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->text(), QString());

    sent.clear();
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"), QStringLiteral("Деканат"));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("7"));
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->keyValue().isNull());

    // Emptying the level-2 box empties the department box and leaves the lines on screen.
    sent.clear();
    rig.focus(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"));
    child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->lineEdit()->selectAll();
    QTest::keyClick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"), Qt::Key_Delete);
    QVERIFY(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")->keyValue().isNull());
    QCOMPARE(sent.list(), QStringList());
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), QStringLiteral("7"));
    QVERIFY(child<DBGridEh>(form, "DBGridEh1")->isEnabled());
}

void TestNavigation::tabSwitchAndBackEmptiesEverything()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11"),
             QStringLiteral("Расчётная группа"));
    SentStatements sent;

    rig.clickTab(1);
    QCOMPARE(child<QStackedWidget>(form, "Notebook1")->currentIndex(), 1);
    rig.clickTab(0);
    QCOMPARE(child<QStackedWidget>(form, "Notebook1")->currentIndex(), 0);

    for (DBLookupComboBox* selector : {child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"),
                                       child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11"),
                                       child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"),
                                       child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"),
                                       child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")}) {
        QVERIFY2(selector->keyValue().isNull(), qPrintable(selector->objectName()));
        QCOMPARE(selector->text(), QString());
    }
    QVERIFY(!rig.schedule().isActive());
    QCOMPARE(rig.schedule().sql(), QStringLiteral("Select TOP(0)Vakansii.*  from Vakansii "));
    QCOMPARE(child<DBGridEh>(form, "DBGridEh1")->model()->rowCount(), 0);
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")));
    QCOMPARE(sent.list(), QStringList());

    // A sub-level chosen with no division changes nothing.
    child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")->setKeyValue(2);
    QCOMPARE(sent.list(), QStringList());
    QCOMPARE(child<DBGridEh>(form, "DBGridEh1")->model()->rowCount(), 0);
}

void TestNavigation::noFacultyNoStatement()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.clickTab(1);
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra"), QStringLiteral("Кафедра алгебры"));

    rig.clickTab(0);
    rig.clickTab(1);

    // The faculty's lower lists wait for a faculty again.
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")));
    QVERIFY(isSilverAndDisabled(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")));
    // Even reached another way, they send nothing without a faculty.
    SentStatements sent;
    for (DBLookupComboBox* selector : {child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra"),
                                       child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2")}) {
        selector->setEnabled(true);
        rig.pick(selector, selector->itemText(0));
        QVERIFY(!selector->keyValue().isNull());
    }
    QCOMPARE(sent.list(), QStringList());
    QCOMPARE(platformErrors(rig), QString());
}

void TestNavigation::whollyUnnumberedUnitIsNumberedInPlace()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    for (int i = 0; i < 3; ++i)
        rig.execute(QStringLiteral("insert into Vakansii (id_post, id_otdel_1, id_deduce) values (2, 4, 1)"));
    rig.form->dataModule().divisions.close();
    rig.form->dataModule().divisions.open();
    SentStatements sent;

    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Лаборатория"));

    QCOMPARE(sent.list(), QStringList({subLevels(4), divisionLines(4)}));
    QCOMPARE(column(rig.schedule(), QStringLiteral("Num")), QStringLiteral("1,2,3"));
    QCOMPARE(rig.stored(QStringLiteral("select Num from Vakansii where id_otdel_1 = 4 order by Num"),
                        QStringLiteral("Num")),
             QStringLiteral("1,2,3"));
    // Each numbered line was saved through the line rules.
    QCOMPARE(rig.stored(QStringLiteral("select ZEB_User from Vakansii where id_otdel_1 = 4"),
                        QStringLiteral("ZEB_User")),
             QStringLiteral("kadry,kadry,kadry"));
    // ... which gave them the line defaults too.
    const QList<std::pair<const char*, const char*>> defaults = {
        {"id_structure", "5"}, {"id_bk", "1"}, {"q_units", "0"}, {"id_enter", "1"}};
    for (const auto& [field, value] : defaults) {
        const QString name = QString::fromLatin1(field);
        QCOMPARE(rig.stored(QStringLiteral("select %1 from Vakansii where id_otdel_1 = 4").arg(name), name),
                 QStringLiteral("%1,%1,%1").arg(QLatin1String(value)));
    }
}

void TestNavigation::newLinesAreNumberedLastAndReloaded()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 1, 7, 1)"));
    rig.execute(QStringLiteral("insert into Vakansii (id_post, id_otdel_1, id_deduce) values (2, 1, 1)"));

    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));

    // Lines 2 and 13 had no number; they follow 7 and come last after the reload.
    QCOMPARE(column(rig.schedule(), QStringLiteral("Num")), QStringLiteral("1,7,8,9"));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")).split(QLatin1Char(',')).mid(2).size(), 2);
    QVERIFY(column(rig.schedule(), QStringLiteral("id_vakansiya"))
                .split(QLatin1Char(','))
                .mid(2)
                .contains(QStringLiteral("2")));
    QCOMPARE(
        rig.stored(QStringLiteral("select Num from Vakansii where id_otdel_1 = 1 and id_otdel_11 is null and "
                                  "id_deduce = 1 order by Num"),
                   QStringLiteral("Num")),
        QStringLiteral("1,7,8,9"));
}

void TestNavigation::failedSaveBeforeNavigationIsShown()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    // Another workstation changes the line meanwhile: this workstation's save must be refused, and said so.
    rig.execute(QStringLiteral("update Vakansii set q_units = 3 where id_vakansiya = 1"));
    rig.schedule().first();
    rig.schedule().edit();
    rig.schedule().fieldByName(QStringLiteral("q_units"))->setAsString(QStringLiteral("2"));

    rig.focus(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11"));

    QCOMPARE(rig.platform.errors().size(), 1);
    QVERIFY(rig.platform.errors().first().contains(QStringLiteral("изменена другим пользователем")));
    QVERIFY(rig.schedule().isModified());
    QCOMPARE(rig.reloaded(1, QStringLiteral("q_units")), QStringLiteral("3"));
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
