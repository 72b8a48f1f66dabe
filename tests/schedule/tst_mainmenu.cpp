#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DateBox.h"
#include "data/dataset/Field.h"
#include "dialogs/DirectoryEditor.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

QStringList captions(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts.append(action->text());
    return texts;
}

// The field of every loaded row, comma-separated.
QString column(Dataset& dataset, const QString& field)
{
    QStringList values;
    const int index = dataset.fieldIndex(field);
    for (int row = 0; row < dataset.recordCount(); ++row)
        values.append(dataset.valueAt(row, index).toString());
    return values.join(QLatin1Char(','));
}

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;

private Q_SLOTS:
    void initTestCase();
    void menuBarHoldsTheCommands();
    void f10OpensTheMenuFromTheKeyboard();
    void refreshReloadsListsOnTheirCurrentStatements_data() { addEngineRows(); }
    void refreshReloadsListsOnTheirCurrentStatements();
    void reportOpensTheConfiguredAddress_data();
    void reportOpensTheConfiguredAddress();
    void reportCanBeCancelledAtItsDate();
    void closingSavesThePendingLine_data() { addEngineRows(); }
    void closingSavesThePendingLine();
    void closingWithALineThatFailsToSave_data() { addEngineRows(); }
    void closingWithALineThatFailsToSave();
};

void TestMainMenu::initTestCase()
{
    // The report's choices are remembered in a settings folder of the test's own.
    QVERIFY(m_settings.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings.path()));
}

void TestMainMenu::menuBarHoldsTheCommands()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    QCOMPARE(
        captions(form.menuBar()->actions()),
        QStringList({QStringLiteral("Обновить"), QStringLiteral("Справочники"), QStringLiteral("Отчёты")}));
    QCOMPARE(form.menuBar()->actions().at(1)->menu(), child<QMenu>(form, "N2"));
    QCOMPARE(captions(child<QMenu>(form, "N2")->actions()),
             QStringList({QStringLiteral("Должность"), QStringLiteral("Кафедра"), QStringLiteral("Отделы"),
                          QStringLiteral("Факультет"), QStringLiteral("Оклады по разрядам")}));
    QCOMPARE(
        child<QMenu>(form, "N2")->actions(),
        QList<QAction*>({child<QAction>(form, "N4"), child<QAction>(form, "N3"), child<QAction>(form, "N5"),
                         child<QAction>(form, "N6"), child<QAction>(form, "N7")}));
    QCOMPARE(form.menuBar()->actions().first(), child<QAction>(form, "Refresh_Shtat_M"));
    QCOMPARE(form.menuBar()->actions().last(), child<QAction>(form, "N1"));
}

// A desktop without a window manager's menu keys still reaches every command by keys alone.
void TestMainMenu::f10OpensTheMenuFromTheKeyboard()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    QTest::keyClick(&form, Qt::Key_F10);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions(), form.menuBar()->actions());
    QCOMPARE(menu->activeAction(), child<QAction>(form, "Refresh_Shtat_M"));

    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    QCOMPARE(QApplication::activePopupWidget(), child<QMenu>(form, "N2"));
    bool directoryShown = false;
    rig.platform.queueModal([&directoryShown](QDialog& dialog) {
        directoryShown = qobject_cast<DirectoryEditor*>(&dialog) != nullptr;
        return int(ModalResult::Cancel);
    });
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QVERIFY(directoryShown);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestMainMenu::refreshReloadsListsOnTheirCurrentStatements()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra"), QStringLiteral("Кафедра алгебры"));
    const QString lines = column(rig.schedule(), QStringLiteral("id_vakansiya"));
    // Meanwhile another workstation adds a post and a faculty that sorts first by its short name only.
    rig.execute(QStringLiteral("insert into post (post) values ('Ассистент')"));
    rig.execute(
        QStringLiteral("insert into Faculty ([p23-1], [p23-2], id_vuz) values ('АА', 'Юридический', 1)"));
    DataModule& module = rig.dataModule;
    const QStringList statements = {module.divisions.sql(),         module.subLevels.sql(),
                                    module.faculties.sql(),         module.departments.sql(),
                                    module.levelTwoDivisions.sql(), module.posts.sql()};
    QCOMPARE(statements.at(3), expected::facultyDepartments(1));
    SentStatements sent;

    child<QAction>(form, "Refresh_Shtat_M")->trigger();

    QCOMPARE(sent.list(), statements);
    QCOMPARE(column(module.departments, QStringLiteral("f1")), QStringLiteral("Кафедра алгебры"));
    QCOMPARE(column(module.faculties, QStringLiteral("p23-1")), QStringLiteral("АА,ФМ,ФЭ"));
    QCOMPARE(column(module.posts, QStringLiteral("post")).split(QLatin1Char(',')).first(),
             QStringLiteral("Ассистент"));
    QCOMPARE(column(rig.schedule(), QStringLiteral("id_vakansiya")), lines);
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty")->keyValue().toInt(), 1);
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra")->text(),
             QStringLiteral("Кафедра алгебры"));
    QVERIFY(rig.platform.errors().isEmpty());
}

void TestMainMenu::reportOpensTheConfiguredAddress_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("address");
    for (const auto& [engineName, engine] : installableEngines) {
        const QByteArray name(engineName);
        QTest::newRow(name + ", configured")
            << engine << QStringLiteral("update VuzDefaults set n_field = 'http://reports.local:8080/zeb'")
            << QStringLiteral("http://reports.local:8080/zeb/ZEB2.html");
        QTest::newRow(name + ", no row 22")
            << engine << QStringLiteral("delete from VuzDefaults where id_vuz_defaults = 22") << QString();
        QTest::newRow(name + ", empty address")
            << engine << QStringLiteral("update VuzDefaults set n_field = '  '") << QString();
    }
}

void TestMainMenu::reportOpensTheConfiguredAddress()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, setting);
    QFETCH(QString, address);
    MainWindowRig rig(engine);
    rig.execute(setting);
    rig.platform.setNow(QDateTime(QDate(2024, 9, 2), QTime(10, 0)));
    QDate offered;
    QTemporaryDir folder;
    if (address.isEmpty()) {
        // Without a report server the program builds the report itself, as of the date the user picks,
        // into the file the user names.
        rig.platform.queueModal([&offered](QDialog& dialog) {
            auto* date = child<DateBox>(dialog, "DateEdit");
            offered = date->date();
            date->setDate(QDate(2024, 9, 1));
            return ModalResult::Ok;
        });
        rig.platform.queueSaveFileName(
            folder.filePath(QStringLiteral("Штатное расписание на 01.09.2024.pdf")));
    }
    SentStatements sent;

    child<QAction>(*rig.form, "N1")->trigger();

    QCOMPARE(sent.list().first(), expected::reportSetting());
    QVERIFY(rig.dataModule.scratch.isActive());
    QVERIFY(rig.platform.boxes().isEmpty());
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
    QCOMPARE(rig.platform.openedUrls().size(), 1);
    if (!address.isEmpty()) {
        QCOMPARE(rig.platform.openedUrls(), QStringList(address));
        QCOMPARE(sent.list().size(), 1);
        return;
    }
    QCOMPARE(offered, QDate(2024, 9, 2));
    const QUrl opened(rig.platform.openedUrls().first());
    QVERIFY(opened.isLocalFile());
    QVERIFY(opened.toLocalFile().endsWith(QStringLiteral("Штатное расписание на 01.09.2024.pdf")));
    QFile file(opened.toLocalFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

void TestMainMenu::reportCanBeCancelledAtItsDate()
{
    MainWindowRig rig(EngineKind::Sqlite);
    rig.execute(QStringLiteral("delete from VuzDefaults where id_vuz_defaults = 22"));
    rig.platform.queueModal([](QDialog&) { return ModalResult::Cancel; });

    child<QAction>(*rig.form, "N1")->trigger();

    QCOMPARE(rig.platform.modalRuns().last(), QStringLiteral("zeb::ReportDialog"));
    QVERIFY(rig.platform.openedUrls().isEmpty());
    QVERIFY(rig.platform.errors().isEmpty());
}

void TestMainMenu::closingSavesThePendingLine()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.schedule().first();
    rig.schedule().edit();
    rig.schedule().fieldByName(QStringLiteral("q_units"))->setAsString(QStringLiteral("2,5"));

    QVERIFY(form.close());

    QCOMPARE(rig.reloaded(1, QStringLiteral("q_units")), QStringLiteral("2,5"));
    QVERIFY(rig.platform.boxes().isEmpty());
    for (const DBLookupComboBox* selector : {child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"),
                                             child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_2"),
                                             child<DBLookupComboBox>(form, "DBLookupComboboxEh_Faculty"),
                                             child<DBLookupComboBox>(form, "DBLookupComboboxEh_Kafedra"),
                                             child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_11")})
        QCOMPARE(selector->listSource(), nullptr);
}

void TestMainMenu::closingWithALineThatFailsToSave()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    // Another workstation changed the line meanwhile: this workstation's save is refused.
    rig.execute(QStringLiteral("update Vakansii set q_units = 3 where id_vakansiya = 1"));
    rig.schedule().first();
    rig.schedule().edit();
    rig.schedule().fieldByName(QStringLiteral("q_units"))->setAsString(QStringLiteral("2"));

    // "No": the window stays, with the line still in editing to be corrected.
    rig.platform.queueAnswer(MessageAnswer::No);
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QVERIFY(rig.schedule().isModified());
    QCOMPARE(rig.platform.boxes().size(), 1);
    const ShownBox& question = rig.platform.boxes().first();
    QVERIFY2(question.text.startsWith(QStringLiteral("Изменения строки не сохранены:\r")),
             qPrintable(question.text));
    QVERIFY(question.text.contains(QStringLiteral("изменена другим пользователем")));
    QVERIFY(
        question.text.endsWith(QStringLiteral("\r\rЗакрыть программу без сохранения строки?\rНажмите «Нет», "
                                              "чтобы вернуться к строке и исправить её.")));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::Warning);
    QCOMPARE(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1")->listSource(),
             &rig.dataModule.divisionsSource);

    // "Yes": closed knowingly without the line; the other workstation's value stands.
    rig.platform.queueAnswer(MessageAnswer::Yes);
    QVERIFY(form.close());
    QVERIFY(!rig.schedule().isModified());
    QCOMPARE(rig.reloaded(1, QStringLiteral("q_units")), QStringLiteral("3"));
    QVERIFY(rig.platform.errors().isEmpty());
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
