#include "controls/DBLookupListBox.h"
#include "dialogs/DepartmentCopyDialog.h"
#include "tests/dialogs/DialogScripts.h"
#include "dialogs/DirectoryEditor.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

using namespace zeb;

namespace {

const QString place = QStringLiteral("'WS-TEST\\192.168.10.25'");

// Opens the copy-and-removal dialog from the departments page of the directory editor and runs `work` on it.
void inCopyDialog(MainWindowRig& rig, std::function<void(DepartmentCopyDialog&)> work)
{
    whenShown<DirectoryEditor>(rig, [&rig, work](DirectoryEditor& directory) {
        whenShown<DepartmentCopyDialog>(rig, work);
        QTest::mouseClick(child<QPushButton>(directory, "BitBtn1"), Qt::LeftButton);
    });
    child<QAction>(*rig.form, "N3")->trigger();
}

QModelIndex rowShowing(const DBLookupListBox* list, const QString& text)
{
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, list->modelColumn());
        if (index.data().toString() == text)
            return index;
    }
    return {};
}

void clickRow(DBLookupListBox* list, const QString& text)
{
    const QModelIndex index = rowShowing(list, text);
    QVERIFY2(index.isValid(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QApplication::processEvents();
}

// A double-click as a mouse sends it: a click, then the double-click on the same row.
void doubleClickRow(DBLookupListBox* list, const QString& text)
{
    clickRow(list, text);
    const QModelIndex index = rowShowing(list, text);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QApplication::processEvents();
}

// The audit log is closed to the client's accounts: the administrator reads it.
QString logged(MainWindowRig& rig, EngineKind engine, const QString& column, int rowId)
{
    const QString table =
        engine == EngineKind::Postgres ? QStringLiteral("dbo.zeb_log") : QStringLiteral("ZEB_LOG");
    const QVariant value =
        firstValue(*rig.installation->adminEngine(),
                   QStringLiteral("select %1 from %2 where row_id = %3").arg(column, table).arg(rowId));
    return value.toString();
}

} // namespace

class TestDepartmentDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheFirstDepartment();
    void copyCreatesTheTargetsLines_data() { addEngineRows(); }
    void copyCreatesTheTargetsLines();
    void copyOntoItselfIsRefused();
    void failedCopyLeavesTheTargetUntouched_data() { addEngineRows(); }
    void failedCopyLeavesTheTargetUntouched();
    void removalOfAnUnusedDepartmentIsLoggedOnce_data() { addEngineRows(); }
    void removalOfAnUnusedDepartmentIsLoggedOnce();
    void removalOfADepartmentInUseIsRefused_data() { addEngineRows(); }
    void removalOfADepartmentInUseIsRefused();
    void removalIsUndoneWhenItsLogRowFails_data() { addEngineRows(); }
    void removalIsUndoneWhenItsLogRowFails();
    void quoteInTheLoginEntersBothStatementsSafely_data() { addEngineRows(); }
    void quoteInTheLoginEntersBothStatementsSafely();
    void longNamesShowWhole_data() { addEngineRows(); }
    void longNamesShowWhole();
};

void TestDepartmentDialog::opensOnTheFirstDepartment()
{
    MainWindowRig rig(EngineKind::Sqlite);
    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Удаление кафедры"));
        QCOMPARE(dialog.size(), QSize(491, 334));
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
        QCOMPARE(child<DBLookupListBox>(dialog, "DBLookupListBox1")->model()->rowCount(), 3);
        QCOMPARE(child<DBLookupListBox>(dialog, "DBLookupListBox1")->selectedItem(),
                 QStringLiteral("Кафедра алгебры"));
        QCOMPARE(child<QLabel>(dialog, "Label2")->text(), QStringLiteral("Кафедра алгебры"));
        QCOMPARE(dialog.sourceId(), 1);
        // The record group names the id only once the list moved while the dialog is held.
        QCOMPARE(child<QGroupBox>(dialog, "GroupBox2")->title(), QStringLiteral("Запись"));
        QCOMPARE(child<QGroupBox>(dialog, "GroupBox1")->title(), QStringLiteral("Копировать на запись"));
        QVERIFY(!child<QPushButton>(dialog, "Button2")->isEnabled());
        QCOMPARE(child<QLineEdit>(dialog, "Edit1")->text(), QString());

        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра физики"));
        QCOMPARE(child<QGroupBox>(dialog, "GroupBox2")->title(), QStringLiteral("Запись - 3"));
        QCOMPARE(child<QLabel>(dialog, "Label2")->text(), QStringLiteral("Кафедра физики"));
        QCOMPARE(dialog.sourceId(), 3);
    });
    QVERIFY(rig.platform.boxes().isEmpty());
}

void TestDepartmentDialog::copyCreatesTheTargetsLines()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    const QString targetLines =
        QStringLiteral("select id_faculty from Vakansii where id_kafedra = 3 order by id_vakansiya");
    QCOMPARE(rig.stored(targetLines, QStringLiteral("id_faculty")), QStringLiteral("2"));
    SentStatements sent;

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        doubleClickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра физики"));
        QCOMPARE(child<QGroupBox>(dialog, "GroupBox1")->title(), QStringLiteral("Копировать на запись - 3"));
        QCOMPARE(child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("Кафедра физики"));
        QCOMPARE(dialog.targetId(), 3);
        QVERIFY(child<QPushButton>(dialog, "Button2")->isEnabled());
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра алгебры"));
        sent.clear();
        rig.platform.queueAnswer(MessageAnswer::Yes);
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
        QCOMPARE(sent.list(), QStringList(expected::copyDepartment(1, 3, QStringLiteral("'kadry'"), place)));
    });

    QCOMPARE(rig.platform.boxTexts(),
             QStringList({QStringLiteral("Вы действительно хотите копировать данные кафедры:\r\"Кафедра "
                                         "алгебры\" \rна данные кафедры:\rКафедра физики\""),
                          QStringLiteral("Данные скопированы.")}));
    QCOMPARE(rig.platform.boxes().at(0).buttons, MessageButtons::YesNo);
    QCOMPARE(rig.platform.boxes().at(0).icon, MessageIcon::Question);
    QCOMPARE(rig.platform.boxes().at(1).icon, MessageIcon::Information);
    QCOMPARE(rig.platform.boxes().at(1).caption, QStringLiteral("Уведомление"));
    // The source's line in use is copied with its faculty; its withdrawn lines are not.
    QCOMPARE(rig.stored(targetLines, QStringLiteral("id_faculty")), QStringLiteral("2,1"));
    QVERIFY(rig.platform.errors().isEmpty());
}

void TestDepartmentDialog::copyOntoItselfIsRefused()
{
    MainWindowRig rig(EngineKind::Sqlite);
    SentStatements sent;
    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        doubleClickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"),
                       QStringLiteral("Кафедра геометрии"));
        sent.clear();
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
        QCOMPARE(sent.list(), QStringList());
    });
    QCOMPARE(rig.platform.boxTexts(),
             QStringList(QStringLiteral("Вы не можете копировать одну и ту же кафедру на себя.")));
    QCOMPARE(rig.platform.boxes().first().icon, MessageIcon::Error);
    QCOMPARE(rig.platform.boxes().first().caption, QStringLiteral("Уведомление"));
}

void TestDepartmentDialog::failedCopyLeavesTheTargetUntouched()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    // The procedure's own audit row fails after its lines were inserted.
    rig.installation->adminEngine()->run(engine == EngineKind::Postgres
                                             ? QStringLiteral("drop table dbo.zeb_log")
                                             : QStringLiteral("drop table ZEB_LOG"));
    const QString targetLines = QStringLiteral("select id_vakansiya from Vakansii where id_kafedra = 3");
    const QString before = rig.stored(targetLines, QStringLiteral("id_vakansiya"));

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        doubleClickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра физики"));
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра алгебры"));
        rig.platform.queueAnswer(MessageAnswer::Yes);
        QTest::mouseClick(child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
    });

    QCOMPARE(rig.platform.boxes().size(), 1);
    QCOMPARE(rig.platform.errors().size(), 1);
    QCOMPARE(rig.stored(targetLines, QStringLiteral("id_vakansiya")), before);
}

void TestDepartmentDialog::removalOfAnUnusedDepartmentIsLoggedOnce()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра истории')"));
    SentStatements sent;

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра истории"));
        sent.clear();
        rig.platform.queueAnswer(MessageAnswer::Yes);
        QTest::mouseClick(child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
        QCOMPARE(child<DBLookupListBox>(dialog, "DBLookupListBox1")->model()->rowCount(), 3);
        QCOMPARE(child<QGroupBox>(dialog, "GroupBox2")->title(), QStringLiteral("Запись - 1"));
        QCOMPARE(sent.list(),
                 QStringList({expected::removeDepartment(4),
                              expected::logDepartmentRemoval(4, QStringLiteral("'kadry'"), place),
                              expected::allDepartments()}));
    });

    QCOMPARE(rig.platform.boxTexts(), QStringList(QStringLiteral("Вы действительно хотите удалить кафедру "
                                                                 "\r'Кафедра истории' без возможности "
                                                                 "восстанавления?")));
    QCOMPARE(rig.stored(QStringLiteral("select f1 from Kafedra where id_kafedra = 4"), QStringLiteral("f1")),
             QString());
    QCOMPARE(logged(rig, engine, QStringLiteral("count(*)"), 4), QStringLiteral("1"));
    QCOMPARE(logged(rig, engine, QStringLiteral("descr"), 4),
             QStringLiteral("Запись с уникальным номером - 4 была удалена.(id_kafedra = [4])"));
    QCOMPARE(logged(rig, engine, QStringLiteral("\"table\""), 4), QStringLiteral("kafedra"));
    QCOMPARE(logged(rig, engine, QStringLiteral("comp"), 4), QStringLiteral("WS-TEST\\192.168.10.25"));
}

void TestDepartmentDialog::removalOfADepartmentInUseIsRefused()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    SentStatements sent;

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра геометрии"));
        sent.clear();
        rig.platform.queueAnswer(MessageAnswer::Yes);
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
        QCOMPARE(child<DBLookupListBox>(dialog, "DBLookupListBox1")->selectedItem(),
                 QStringLiteral("Кафедра геометрии"));
        QCOMPARE(sent.list(), QStringList({expected::removeDepartment(2)}));
    });

    QCOMPARE(rig.platform.boxes().size(), 2);
    const ShownBox& failure = rig.platform.boxes().at(1);
    QVERIFY2(
        failure.text.startsWith(QStringLiteral("Данная кафедра не может быть удаленна на данный момент,\r"
                                               "так как она используется.\r\r")),
        qPrintable(failure.text));
    QVERIFY(failure.text.size() > 80);
    // The engine's refusal follows in words the user reads.
    QVERIFY2(failure.text.contains(QStringLiteral("\r\rЗапись нельзя удалить: на неё ссылаются записи")),
             qPrintable(failure.text));
    QCOMPARE(failure.caption, QStringLiteral("Ошибка"));
    QCOMPARE(failure.icon, MessageIcon::Error);
    QCOMPARE(rig.stored(QStringLiteral("select f1 from Kafedra where id_kafedra = 2"), QStringLiteral("f1")),
             QStringLiteral("Кафедра геометрии"));
    QCOMPARE(logged(rig, engine, QStringLiteral("count(*)"), 2), QStringLiteral("0"));
}

void TestDepartmentDialog::removalIsUndoneWhenItsLogRowFails()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра истории')"));
    // The audit log refuses rows: the removal must not stand without its row.
    rig.installation->adminEngine()->run(engine == EngineKind::Postgres
                                             ? QStringLiteral("drop table dbo.zeb_log")
                                             : QStringLiteral("drop table ZEB_LOG"));

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра истории"));
        rig.platform.queueAnswer(MessageAnswer::Yes);
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
    });

    QCOMPARE(rig.platform.boxes().size(), 2);
    QVERIFY(
        rig.platform.boxes().at(1).text.startsWith(QStringLiteral("Данная кафедра не может быть удаленна")));
    QCOMPARE(rig.stored(QStringLiteral("select f1 from Kafedra where id_kafedra = 4"), QStringLiteral("f1")),
             QStringLiteral("Кафедра истории"));
}

void TestDepartmentDialog::quoteInTheLoginEntersBothStatementsSafely()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine, QStringLiteral("o'brien"));
    rig.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра истории')"));
    rig.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра права')"));
    SentStatements sent;

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        doubleClickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра истории"));
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра физики"));
        rig.platform.queueAnswer(MessageAnswer::Yes);
        rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::mouseClick(child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
        clickRow(child<DBLookupListBox>(dialog, "DBLookupListBox1"), QStringLiteral("Кафедра права"));
        rig.platform.queueAnswer(MessageAnswer::Yes);
        QTest::mouseClick(child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
    });

    QVERIFY(sent.list().contains(expected::copyDepartment(3, 4, QStringLiteral("'o''brien'"), place)));
    QVERIFY(sent.list().contains(expected::logDepartmentRemoval(5, QStringLiteral("'o''brien'"), place)));
    QCOMPARE(rig.platform.boxes().size(), 3);
    QCOMPARE(rig.stored(QStringLiteral("select id_vakansiya from Vakansii where id_kafedra = 4"),
                        QStringLiteral("id_vakansiya"))
                 .count(u','),
             0);
    QCOMPARE(logged(rig, engine, QStringLiteral("ZEB_User"), 4), QStringLiteral("o'brien"));
    QCOMPARE(logged(rig, engine, QStringLiteral("ZEB_User"), 5), QStringLiteral("o'brien"));
    QVERIFY(rig.platform.errors().isEmpty());
}

// Two departments that differ only at the end of a long name are told apart: each line is laid out whole,
// the list scrolls sideways to it, and its tool tip and the record group's show it whole.
void TestDepartmentDialog::longNamesShowWhole()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    const QString stem = QStringLiteral("Кафедра теоретической и прикладной механики сплошных сред, ");
    const QStringList names = {stem + QStringLiteral("отделение А"), stem + QStringLiteral("отделение Б")};
    for (const QString& name : names)
        rig.execute(QStringLiteral("insert into Kafedra (f1) values ('%1')").arg(name));

    inCopyDialog(rig, [&](DepartmentCopyDialog& dialog) {
        DBLookupListBox* list = child<DBLookupListBox>(dialog, "DBLookupListBox1");
        const QFontMetrics metrics(list->font());
        QVERIFY(metrics.horizontalAdvance(names.last()) > list->viewport()->width());
        QVERIFY(list->horizontalScrollBar()->maximum() > 0);
        for (const QString& name : names) {
            const QModelIndex row = rowShowing(list, name);
            QVERIFY(row.isValid());
            QVERIFY(list->visualRect(row).width() >= metrics.horizontalAdvance(name));
            list->scrollTo(row);
            const QPoint at = list->visualRect(row).topLeft() + QPoint(4, 4);
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            QCOMPARE(QToolTip::text(), name);
        }
        clickRow(list, names.last());
        QCOMPARE(child<QLabel>(dialog, "Label2")->toolTip(), names.last());
        QToolTip::hideText();
    });
}

QTEST_MAIN(TestDepartmentDialog)
#include "tst_departmentdialog.moc"
