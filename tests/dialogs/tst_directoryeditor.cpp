#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "dialogs/DepartmentCopyDialog.h"
#include "tests/dialogs/DialogScripts.h"
#include "dialogs/DirectoryEditor.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "data/dataset/Field.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

using namespace zeb;

namespace {

QString column(const Dataset& dataset, const QString& field)
{
    QStringList values;
    const int index = dataset.fieldIndex(field);
    for (int row = 0; row < dataset.recordCount(); ++row)
        values.append(dataset.valueAt(row, index).toString());
    return values.join(QLatin1Char(','));
}

void click(DBNavigator* bar, NavigatorButton which)
{
    QToolButton* button = bar->button(which);
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

// The shown row holding `value` in `field`; -1 when none does.
int rowOf(const Dataset& dataset, const QString& field, const QString& value)
{
    const int index = dataset.fieldIndex(field);
    for (int row = 0; row < dataset.recordCount(); ++row) {
        if (dataset.valueAt(row, index).toString() == value)
            return row;
    }
    return -1;
}

} // namespace

class TestDirectoryEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsOpenTheirPage_data();
    void commandsOpenTheirPage();
    void closingRestoresTheFacultysDepartments_data() { addEngineRows(); }
    void closingRestoresTheFacultysDepartments();
    void postsAreAddedEditedAndDeletedWithTheNavigator_data() { addEngineRows(); }
    void postsAreAddedEditedAndDeletedWithTheNavigator();
    void divisionAndFacultyAreAddedInTheGrid_data() { addEngineRows(); }
    void divisionAndFacultyAreAddedInTheGrid();
    void ctrlDeleteAsksInEveryGridButTheDepartments_data();
    void ctrlDeleteAsksInEveryGridButTheDepartments();
    void minusButtonHoldsTheCopyDialogWhileShown();
    void aClickAfterANewLineEditsTheClickedEntry_data() { addEngineRows(); }
    void aClickAfterANewLineEditsTheClickedEntry();
    void theKeyboardStaysInTheGrid_data() { addEngineRows(); }
    void theKeyboardStaysInTheGrid();
};

void TestDirectoryEditor::commandsOpenTheirPage_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("preparation");
    for (const auto& [engineName, engine] : installableEngines) {
        const QByteArray name(engineName);
        QTest::newRow(name + ", posts")
            << engine << QStringLiteral("N4") << QStringLiteral("Должность") << 0 << 356 << QStringList();
        QTest::newRow(name + ", departments") << engine << QStringLiteral("N3") << QStringLiteral("Кафедра")
                                              << 1 << 356 << QStringList(expected::allDepartments());
        QTest::newRow(name + ", divisions") << engine << QStringLiteral("N5") << QStringLiteral("Отделы") << 2
                                            << 356 << QStringList(expected::allDivisions());
        QTest::newRow(name + ", faculties") << engine << QStringLiteral("N6") << QStringLiteral("Факультеты")
                                            << 3 << 559 << QStringList(expected::allFaculties());
    }
}

void TestDirectoryEditor::commandsOpenTheirPage()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, command);
    QFETCH(QString, caption);
    QFETCH(int, page);
    QFETCH(int, width);
    QFETCH(QStringList, preparation);
    MainWindowRig rig(engine);
    // Sorted first by its short name, last by its full name.
    rig.execute(
        QStringLiteral("insert into Faculty ([p23-1], [p23-2], id_vuz) values ('АА', 'Юридический', 1)"));
    SentStatements sent;
    QStringList seen;

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        seen = sent.list();
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(child<QTabWidget>(dialog, "PageControl1")->currentIndex(), page);
        QVERIFY(!child<QTabWidget>(dialog, "PageControl1")->tabBar()->isVisible());
        QCOMPARE(dialog.width(), width);
        QCOMPARE(dialog.height(), 372);
        // Its navigator bar along the bottom stays on a small screen.
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
        if (page == 3) {
            QCOMPARE(child<QWidget>(dialog, "Panel1")->width(), 551);
            QCOMPARE(child<QTabWidget>(dialog, "PageControl1")->width(), 550);
            QCOMPARE(column(rig.dataModule.faculties, QStringLiteral("p23-1")), QStringLiteral("АА,ФМ,ФЭ"));
        }
        sent.clear();
    });
    rig.form->findChild<QAction*>(command)->trigger();

    QCOMPARE(rig.platform.modalRuns().last(), QStringLiteral("zeb::DirectoryEditor"));
    QCOMPARE(seen, preparation);
    // Closing gives the main window its divisions in use back; no faculty is chosen.
    QCOMPARE(sent.list(), QStringList(expected::divisionsInUse()));
    if (page == 1)
        QCOMPARE(rig.dataModule.departments.sql(), expected::allDepartments());
    QVERIFY(rig.platform.errors().isEmpty());
}

void TestDirectoryEditor::closingRestoresTheFacultysDepartments()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
    SentStatements sent;
    int width = 0;
    int panelWidth = 0;
    int pageControlWidth = 0;

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        sent.clear();
        dialog.close();
        width = dialog.width();
        panelWidth = child<QWidget>(dialog, "Panel1")->width();
        pageControlWidth = child<QTabWidget>(dialog, "PageControl1")->width();
    });
    child<QAction>(form, "N6")->trigger();

    QCOMPARE(sent.list(), QStringList({expected::divisionsInUse(), expected::departmentsWithAnyLineOf(1)}));
    // The withdrawn line's department is listed too.
    QCOMPARE(column(rig.dataModule.departments, QStringLiteral("f1")),
             QStringLiteral("Кафедра алгебры,Кафедра геометрии"));
    QCOMPARE(width, 369);
    QCOMPARE(panelWidth, 360);
    QCOMPARE(pageControlWidth, 359);
}

void TestDirectoryEditor::postsAreAddedEditedAndDeletedWithTheNavigator()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    const QString stored = QStringLiteral("select post from post where post like 'Ассистент%' order by post");

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        DBNavigator* bar = child<DBNavigator>(dialog, "DBNavigator1");
        QCOMPARE(bar->button(NavigatorButton::Insert)->isEnabled(), true);
        QCOMPARE(bar->button(NavigatorButton::Post)->isEnabled(), false);
        click(bar, NavigatorButton::Insert);
        const int row = child<DBGridEh>(dialog, "DBGridEh1")->currentIndex().row();
        rig.typeIntoCellOf(child<DBGridEh>(dialog, "DBGridEh1"), row, 0, QStringLiteral("Ассистент"));
        if (rig.dataModule.posts.state() != Dataset::State::Browse)
            click(bar, NavigatorButton::Post);
        QCOMPARE(rig.stored(stored, QStringLiteral("post")), QStringLiteral("Ассистент"));

        const int added = rowOf(rig.dataModule.posts, QStringLiteral("post"), QStringLiteral("Ассистент"));
        rig.clickCellOf(child<DBGridEh>(dialog, "DBGridEh1"), added, 0);
        click(bar, NavigatorButton::Edit);
        rig.dataModule.posts.fieldByName(QStringLiteral("post"))
            ->setAsString(QStringLiteral("Ассистент кафедры"));
        click(bar, NavigatorButton::Cancel);
        QCOMPARE(rig.stored(stored, QStringLiteral("post")), QStringLiteral("Ассистент"));
        rig.typeIntoCellOf(child<DBGridEh>(dialog, "DBGridEh1"), added, 0,
                           QStringLiteral("Ассистент кафедры"));
        if (rig.dataModule.posts.state() != Dataset::State::Browse)
            click(bar, NavigatorButton::Post);
        QCOMPARE(rig.stored(stored, QStringLiteral("post")), QStringLiteral("Ассистент кафедры"));

        rig.dataModule.posts.moveTo(
            rowOf(rig.dataModule.posts, QStringLiteral("post"), QStringLiteral("Ассистент кафедры")));
        rig.platform.queueAnswer(MessageAnswer::Cancel);
        click(bar, NavigatorButton::Delete);
        QCOMPARE(rig.stored(stored, QStringLiteral("post")), QStringLiteral("Ассистент кафедры"));
        rig.platform.queueAnswer(MessageAnswer::Ok);
        click(bar, NavigatorButton::Delete);
        QCOMPARE(rig.stored(stored, QStringLiteral("post")), QString());
    });
    child<QAction>(*rig.form, "N4")->trigger();

    QCOMPARE(rig.platform.boxes().size(), 2);
    QCOMPARE(rig.platform.boxes().first().text, QStringLiteral("Delete record?"));
    QCOMPARE(rig.platform.boxes().first().buttons, MessageButtons::OkCancel);
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestDirectoryEditor::divisionAndFacultyAreAddedInTheGrid()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        rig.clickCellOf(child<DBGridEh>(dialog, "DBGridEh3"), 0, 0);
        rig.press(Qt::Key_Insert);
        const int row = child<DBGridEh>(dialog, "DBGridEh3")->currentIndex().row();
        rig.typeIntoCellOf(child<DBGridEh>(dialog, "DBGridEh3"), row, 0, QStringLiteral("Отдел кадров"));
        if (rig.dataModule.divisions.state() != Dataset::State::Browse)
            click(child<DBNavigator>(dialog, "DBNavigator3"), NavigatorButton::Post);
    });
    child<QAction>(*rig.form, "N5")->trigger();
    QCOMPARE(rig.stored(QStringLiteral("select otdel_1 from Otdel_1 where otdel_1 = 'Отдел кадров'"),
                        QStringLiteral("otdel_1")),
             QStringLiteral("Отдел кадров"));

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        click(child<DBNavigator>(dialog, "DBNavigator4"), NavigatorButton::Insert);
        const int row = child<DBGridEh>(dialog, "DBGridEh4")->currentIndex().row();
        rig.typeIntoCellOf(child<DBGridEh>(dialog, "DBGridEh4"), row, 0, QStringLiteral("ЮФ"));
        rig.typeIntoCellOf(child<DBGridEh>(dialog, "DBGridEh4"), row, 1, QStringLiteral("Юридический"));
        rig.pickInCellOf(child<DBGridEh>(dialog, "DBGridEh4"), row, 2, QStringLiteral("Университет"));
        click(child<DBNavigator>(dialog, "DBNavigator4"), NavigatorButton::Post);
    });
    child<QAction>(*rig.form, "N6")->trigger();
    QCOMPARE(rig.stored(QStringLiteral("select [p23-2], id_vuz from Faculty where [p23-1] = 'ЮФ'"),
                        QStringLiteral("id_vuz")),
             QStringLiteral("1"));
    QCOMPARE(rig.stored(QStringLiteral("select [p23-2], id_vuz from Faculty where [p23-1] = 'ЮФ'"),
                        QStringLiteral("p23-2")),
             QStringLiteral("Юридический"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestDirectoryEditor::ctrlDeleteAsksInEveryGridButTheDepartments_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("gridName");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("asks");
    for (const auto& [engineName, engine] : installableEngines) {
        const QByteArray name(engineName);
        QTest::newRow(name + ", posts") << engine << QStringLiteral("N4") << QStringLiteral("DBGridEh1")
                                        << QStringLiteral("post") << QStringLiteral("post") << true;
        QTest::newRow(name + ", departments") << engine << QStringLiteral("N3") << QStringLiteral("DBGridEh2")
                                              << QStringLiteral("Kafedra") << QStringLiteral("f1") << false;
        QTest::newRow(name + ", divisions") << engine << QStringLiteral("N5") << QStringLiteral("DBGridEh3")
                                            << QStringLiteral("Otdel_1") << QStringLiteral("Otdel_1") << true;
        QTest::newRow(name + ", faculties") << engine << QStringLiteral("N6") << QStringLiteral("DBGridEh4")
                                            << QStringLiteral("Faculty") << QStringLiteral("p23-1") << true;
    }
}

void TestDirectoryEditor::ctrlDeleteAsksInEveryGridButTheDepartments()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, command);
    QFETCH(QString, gridName);
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(bool, asks);
    MainWindowRig rig(engine);
    // An entry that nothing refers to, so that a deletion can only fail for the grid's own reasons.
    rig.execute(QStringLiteral("insert into %1 ([%2]) values ('ЯЯ')").arg(table, field));
    // The posts are not read again by their directory: the user refreshes the lists first.
    child<QAction>(*rig.form, "Refresh_Shtat_M")->trigger();
    const QString stored = QStringLiteral("select [%2] from %1 where [%2] like 'ЯЯ%'").arg(table, field);

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        auto* grid = dialog.findChild<DBGridEh*>(gridName);
        Dataset& dataset = *grid->dataset();
        const int row = rowOf(dataset, field, QStringLiteral("ЯЯ"));
        QVERIFY(row >= 0);
        rig.clickCellOf(grid, row, 0);
        if (asks)
            rig.platform.queueAnswer(MessageAnswer::Ok);
        rig.press(Qt::Key_Delete, Qt::ControlModifier);
        if (asks)
            return;
        // The next key makes the grid editable again: typing replaces the cell as before.
        for (const QChar ch : QStringLiteral("ЯЯ2"))
            rig.type(QApplication::focusWidget(), QString(ch));
        rig.press(Qt::Key_Tab);
        if (dataset.state() != Dataset::State::Browse)
            dataset.post();
    });
    rig.form->findChild<QAction*>(command)->trigger();

    QCOMPARE(rig.platform.boxTexts(), asks ? QStringList(QStringLiteral("Delete record?")) : QStringList());
    QCOMPARE(rig.stored(stored, field), asks ? QString() : QStringLiteral("ЯЯ2"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

void TestDirectoryEditor::minusButtonHoldsTheCopyDialogWhileShown()
{
    MainWindowRig rig(EngineKind::Sqlite);
    QString followedWhileShown;
    DepartmentCopyDialog* shown = nullptr;
    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        QCOMPARE(child<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("-"));
        whenShown<DepartmentCopyDialog>(rig, [&](DepartmentCopyDialog& copyDialog) {
            shown = &copyDialog;
            Dataset& departments = rig.dataModule.departments;
            departments.last();
            const QString id = departments.fieldByName(QStringLiteral("id_kafedra"))->asString();
            QCOMPARE(child<QGroupBox>(copyDialog, "GroupBox2")->title(), QStringLiteral("Запись - ") + id);
            QCOMPARE(copyDialog.sourceId(), id.toLongLong());
            followedWhileShown = id;
        });
        QTest::mouseClick(child<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
    });
    child<QAction>(*rig.form, "N3")->trigger();

    QCOMPARE(rig.platform.modalRuns(),
             QStringList({QStringLiteral("zeb::SignInDialog"), QStringLiteral("zeb::DirectoryEditor"),
                          QStringLiteral("zeb::DepartmentCopyDialog")}));
    QVERIFY(shown);
    QVERIFY(!followedWhileShown.isEmpty());
    // Once closed, the dialog no longer follows the list.
    QVERIFY(!rig.dataModule.departments.afterScroll);
}

// A new line that nothing was typed into is dropped when the user clicks another entry; the click must
// still make the clicked entry current, so that "edit" renames that one and not the entry below it.
void TestDirectoryEditor::aClickAfterANewLineEditsTheClickedEntry()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    Dataset& departments = rig.dataModule.departments;

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        DBGridEh* grid = child<DBGridEh>(dialog, "DBGridEh2");
        click(child<DBNavigator>(dialog, "DBNavigator2"), NavigatorButton::Insert);
        QCOMPARE(departments.state(), Dataset::State::Insert);
        const int geometry = rowOf(departments, QStringLiteral("f1"), QStringLiteral("Кафедра геометрии"));
        rig.clickCellOf(grid, geometry, 0);
        QCOMPARE(departments.state(), Dataset::State::Browse);
        QCOMPARE(departments.fieldByName(QStringLiteral("f1"))->asString(),
                 QStringLiteral("Кафедра геометрии"));
        QCOMPARE(grid->currentIndex().row(), departments.recNo());
        click(child<DBNavigator>(dialog, "DBNavigator2"), NavigatorButton::Edit);
        rig.typeIntoCellOf(grid, departments.recNo(), 0, QStringLiteral("Кафедра топологии"));
        if (departments.state() != Dataset::State::Browse)
            click(child<DBNavigator>(dialog, "DBNavigator2"), NavigatorButton::Post);
    });
    child<QAction>(*rig.form, "N3")->trigger();

    QCOMPARE(rig.stored(QStringLiteral("select f1 from Kafedra order by id_kafedra"), QStringLiteral("f1")),
             QStringLiteral("Кафедра алгебры,Кафедра топологии,Кафедра физики"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

// After "+", after a save and after the copy and removal dialog, the keyboard is in the grid's cell: what
// is typed goes into the entry, and a Space reaches no button.
void TestDirectoryEditor::theKeyboardStaysInTheGrid()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    Dataset& departments = rig.dataModule.departments;
    const auto inGrid = [](DBGridEh* grid) {
        QWidget* focused = QApplication::focusWidget();
        return focused && (focused == grid || grid->isAncestorOf(focused));
    };

    whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
        DBGridEh* grid = child<DBGridEh>(dialog, "DBGridEh2");
        whenShown<DepartmentCopyDialog>(rig, [](DepartmentCopyDialog&) {});
        QTest::mouseClick(child<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
        // The window system gives the keyboard back to the editor when the copy dialog closes.
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(inGrid(grid));

        click(child<DBNavigator>(dialog, "DBNavigator2"), NavigatorButton::Insert);
        QVERIFY(inGrid(grid));
        rig.type(QApplication::focusWidget(), QStringLiteral("Кафедра истории"));
        click(child<DBNavigator>(dialog, "DBNavigator2"), NavigatorButton::Post);
        QCOMPARE(departments.state(), Dataset::State::Browse);
        QCOMPARE(departments.fieldByName(QStringLiteral("f1"))->asString(),
                 QStringLiteral("Кафедра истории"));
        QCOMPARE(grid->currentIndex().row(), departments.recNo());
        QVERIFY(inGrid(grid));
        rig.press(Qt::Key_Space);
        rig.press(Qt::Key_Escape);
    });
    child<QAction>(*rig.form, "N3")->trigger();

    QCOMPARE(rig.platform.modalRuns().count(QStringLiteral("zeb::DepartmentCopyDialog")), 1);
    QCOMPARE(rig.stored(QStringLiteral("select f1 from Kafedra order by id_kafedra"), QStringLiteral("f1")),
             QStringLiteral("Кафедра алгебры,Кафедра геометрии,Кафедра физики,Кафедра истории"));
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

QTEST_MAIN(TestDirectoryEditor)
#include "tst_directoryeditor.moc"
