#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "data/dataset/Field.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "schedule/grid/ScheduleColumns.h"

#include <QTest>

using namespace zeb;

namespace {

const QString caption = QStringLiteral("Штатное расписание");

// Division "Бухгалтерия" on screen: row 0 is line 1 (an employee holds it), row 1 is line 2, numbered 2
// and given its defaults when the division was opened.
std::unique_ptr<MainWindowRig> divisionOnScreen(EngineKind engine,
                                                const QString& login = QStringLiteral("kadry"))
{
    auto rig = std::make_unique<MainWindowRig>(engine, login);
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_1"),
              QStringLiteral("Бухгалтерия"));
    return rig;
}

} // namespace

class TestScheduleGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsAndTitles();
    void changeOfASavedLineIsAsked_data();
    void changeOfASavedLineIsAsked();
    void newLineIsNeverAsked_data() { addEngineRows(); }
    void newLineIsNeverAsked();
    void occupiedLineCannotBeWithdrawn_data();
    void occupiedLineCannotBeWithdrawn();
    void employeeCheckFindsTheLineByKey_data();
    void employeeCheckFindsTheLineByKey();
    void numberSwap_data();
    void numberSwap();
    void lineWithoutPost_data() { addEngineRows(); }
    void lineWithoutPost();
    void concurrentEditIsRefusedWithoutLoss_data() { addEngineRows(); }
    void concurrentEditIsRefusedWithoutLoss();
    void concurrentEditOfAnotherColumnKeepsBoth_data() { addEngineRows(); }
    void concurrentEditOfAnotherColumnKeepsBoth();
};

void TestScheduleGrid::columnsAndTitles()
{
    MainWindowRig rig(EngineKind::Sqlite);
    const QList<GridColumn>& columns = child<DBGridEh>(*rig.form, "DBGridEh1")->columns();
    QStringList titles;
    for (const GridColumn& column : columns)
        titles.append(column.title);
    QCOMPARE(titles.join(QLatin1Char(',')),
             QStringLiteral(
                 "№,Состав,Должность,Б/К,Раз- ряд,Кол. ед.,Почасовой фонд,Ввести|Ввести,Ввести|№ приказа,"
                 "Ввести|Дата приказа,Вывести|Вывести,Вывести|№ приказа,Вывести|Дата приказа"));
    QCOMPARE(columns[ScheduleColumn::Post].dropDownWidth, 600);
    QCOMPARE(columns[ScheduleColumn::Post].dropDownRows, 14);
    QVERIFY(columns[ScheduleColumn::Post].alwaysShowDropDownButton);
}

void TestScheduleGrid::changeOfASavedLineIsAsked_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("picked");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("afterOk");
    QTest::addColumn<QString>("afterCancel");

    struct Case
    {
        const char* name;
        int column;
        bool picked;
        const char* input;
        const char* question;
        const char* field;
        const char* afterOk;
        const char* afterCancel;
    };
    const Case cases[] = {
        {"post", ScheduleColumn::Post, true, "Новая должность", "Вы действительно хотите изменить должность?",
         "id_post", "1", "2"},
        {"funding source", ScheduleColumn::FundingSource, true, "Грант",
         "Вы действительно хотите изменить источник финансирования?", "id_bk", "3", "1"},
        {"grade", ScheduleColumn::Grade, false, "5", "Вы действительно хотите изменить разряд?", "razrad",
         "5", "0"},
        {"units, point typed as comma", ScheduleColumn::Units, false, "1.5",
         "Вы действительно хотите изменить количество единиц?", "q_units", "1,5", "0"},
        {"entry kind", ScheduleColumn::Enter, true, "Вакантная",
         "Вы действительно хотите изменить должность?", "id_enter", "2", "1"},
        {"entry order", ScheduleColumn::EntryOrder, false, "П-12", "Вы действительно хотите изменить данные?",
         "e_n_p", "П-12", "null"},
        {"entry date typed", ScheduleColumn::EntryDate, false, "01.02.2024",
         "Вы действительно хотите изменить дату внесения?", "e_d_p", "01.02.2024", "15.03.2024"},
        {"withdrawal kind", ScheduleColumn::Deduce, true, "Сокращение запланировано",
         "Вы действительно хотите исключить должность?", "id_deduce", "3", "1"},
        {"withdrawal order", ScheduleColumn::WithdrawalOrder, false, "П-13",
         "Вы действительно хотите изменить запись?", "d_n_p", "П-13", "null"},
        {"withdrawal date typed", ScheduleColumn::WithdrawalDate, false, "02.02.2024",
         "Вы действительно хотите изменить дату?", "d_d_p", "02.02.2024", "null"},
    };
    for (const auto& [engineName, engine] : installableEngines) {
        for (const Case& c : cases)
            QTest::addRow("%s %s", engineName, c.name)
                << engine << c.column << c.picked << QString::fromUtf8(c.input)
                << QString::fromUtf8(c.question) << QString::fromUtf8(c.field) << QString::fromUtf8(c.afterOk)
                << QString::fromUtf8(c.afterCancel);
    }
}

void TestScheduleGrid::changeOfASavedLineIsAsked()
{
    QFETCH(EngineKind, engine);
    QFETCH(int, column);
    QFETCH(bool, picked);
    QFETCH(QString, input);
    QFETCH(QString, question);
    QFETCH(QString, field);
    QFETCH(QString, afterOk);
    QFETCH(QString, afterCancel);

    for (const MessageAnswer answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
        auto rig = divisionOnScreen(engine);
        rig->platform.queueAnswer(answer);
        if (picked)
            rig->pickInCell(1, column, input);
        else
            rig->typeIntoCell(1, column, input);
        QCOMPARE(rig->platform.boxes().size(), 1);
        const ShownBox& box = rig->platform.boxes().first();
        QCOMPARE(box.text, question);
        QCOMPARE(box.caption, caption);
        QCOMPARE(box.buttons, MessageButtons::OkCancel);
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(rig->schedule().state(), Dataset::State::Edit);

        // Leaving the line saves it.
        rig->press(Qt::Key_Up);
        QCOMPARE(rig->schedule().state(), Dataset::State::Browse);
        QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
        QCOMPARE(rig->reloaded(2, field), answer == MessageAnswer::Ok ? afterOk : afterCancel);
    }
}

void TestScheduleGrid::newLineIsNeverAsked()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->clickCell(1, ScheduleColumn::Post);
    rig->press(Qt::Key_Insert);
    QCOMPARE(rig->schedule().state(), Dataset::State::Insert);
    const int row = rig->schedule().recNo();

    rig->pickInCell(row, ScheduleColumn::Post, QStringLiteral("Доцент"));
    rig->typeIntoCell(row, ScheduleColumn::Grade, QStringLiteral("7"));
    rig->typeIntoCell(row, ScheduleColumn::EntryOrder, QStringLiteral("П-1"));
    QCOMPARE(rig->platform.boxTexts(), QStringList());

    rig->press(Qt::Key_Up);
    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->stored(QStringLiteral("select razrad from Vakansii where e_n_p = 'П-1'"),
                         QStringLiteral("razrad")),
             QStringLiteral("7"));
}

void TestScheduleGrid::occupiedLineCannotBeWithdrawn_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("sqlite, question answered OK") << EngineKind::Sqlite << MessageAnswer::Ok;
    QTest::newRow("sqlite, question refused") << EngineKind::Sqlite << MessageAnswer::Cancel;
    QTest::newRow("pg, question answered OK") << EngineKind::Postgres << MessageAnswer::Ok;
}

void TestScheduleGrid::occupiedLineCannotBeWithdrawn()
{
    QFETCH(EngineKind, engine);
    QFETCH(MessageAnswer, answer);
    auto rig = divisionOnScreen(engine);
    rig->platform.queueAnswer(answer);
    rig->platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig->pickInCell(0, ScheduleColumn::Deduce, QStringLiteral("Выведена"));

    QCOMPARE(rig->platform.boxTexts(),
             QStringList({QStringLiteral("Вы действительно хотите исключить должность?"),
                          QStringLiteral("Вы не можете удалить данную должность.\rНа этой должности "
                                         "зарегистрированы сотрудники!!!")}));
    const ShownBox& warning = rig->platform.boxes().last();
    QCOMPARE(warning.caption, QStringLiteral("Предупреждение"));
    QCOMPARE(warning.icon, MessageIcon::Warning);
    QCOMPARE(warning.owner, rig->form.get());
    QVERIFY(sent.list().contains(expected::employeesOn(1)));
    QCOMPARE(rig->schedule().fieldByName(QStringLiteral("id_deduce"))->asString(), QStringLiteral("1"));
    rig->press(Qt::Key_Down);
    QCOMPARE(rig->reloaded(1, QStringLiteral("id_deduce")), QStringLiteral("1"));
}

void TestScheduleGrid::employeeCheckFindsTheLineByKey_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("boxes");
    const QString question = QStringLiteral("Вы действительно хотите исключить должность?");
    const QString warning = QStringLiteral(
        "Вы не можете удалить данную должность.\rНа этой должности зарегистрированы сотрудники!!!");
    for (const auto& [name, engine] : installableEngines) {
        // Row 0 is line 2, numbered 1 like the occupied line's key; row 1 is the occupied line 1, numbered 7.
        QTest::addRow("%s, occupied line numbered 7", name)
            << engine << 1 << 1 << QStringLiteral("1") << QStringList({question, warning});
        QTest::addRow("%s, free line numbered as the occupied line's key", name)
            << engine << 0 << 2 << QStringLiteral("3") << QStringList({question});
    }
}

void TestScheduleGrid::employeeCheckFindsTheLineByKey()
{
    QFETCH(EngineKind, engine);
    QFETCH(int, row);
    QFETCH(int, line);
    QFETCH(QString, stored);
    QFETCH(QStringList, boxes);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("update Vakansii set Num = 7 where id_vakansiya = 1"));
    rig.execute(QStringLiteral("update Vakansii set Num = 1 where id_vakansiya = 2"));
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    QCOMPARE(rig.schedule().fieldByName(QStringLiteral("id_vakansiya"))->asInteger(), 2);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    rig.platform.queueAnswer(MessageAnswer::Ok);
    SentStatements sent;

    rig.pickInCell(row, ScheduleColumn::Deduce, QStringLiteral("Сокращение запланировано"));
    rig.press(row == 0 ? Qt::Key_Down : Qt::Key_Up);

    QCOMPARE(rig.platform.boxTexts(), boxes);
    QVERIFY(sent.list().contains(expected::employeesOn(line)));
    QCOMPARE(rig.platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig.reloaded(line, QStringLiteral("id_deduce")), stored);
}

void TestScheduleGrid::numberSwap_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("saved");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, another line holds it", name)
            << engine << QStringLiteral("3") << QStringLiteral("5,3") << true;
        QTest::addRow("%s, nobody holds it", name)
            << engine << QStringLiteral("9") << QStringLiteral("3,9") << true;
        QTest::addRow("%s, the same number", name)
            << engine << QStringLiteral("5") << QStringLiteral("3,5") << false;
        // A cleared number swaps nothing; the line is numbered again when the unit next opens.
        QTest::addRow("%s, cleared", name) << engine << QString() << QStringLiteral("3,null") << true;
    }
}

void TestScheduleGrid::numberSwap()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, typed);
    QFETCH(QString, numbers);
    QFETCH(bool, saved);
    MainWindowRig rig(engine);
    rig.execute(QStringLiteral("update Vakansii set Num = 3 where id_vakansiya = 1"));
    rig.execute(QStringLiteral("update Vakansii set Num = 5 where id_vakansiya = 2"));
    rig.pick(child<DBLookupComboBox>(*rig.form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));

    rig.typeIntoCell(1, ScheduleColumn::Num, typed);
    rig.press(Qt::Key_Up);

    QCOMPARE(rig.platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig.reloaded(1, QStringLiteral("Num")) + QLatin1Char(',') +
                 rig.reloaded(2, QStringLiteral("Num")),
             numbers);
    QCOMPARE(rig.reloaded(2, QStringLiteral("ZEB_User")) == QLatin1String("kadry"), saved);
}

void TestScheduleGrid::lineWithoutPost()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->clickCell(1, ScheduleColumn::Post);
    rig->press(Qt::Key_Down);
    QCOMPARE(rig->schedule().state(), Dataset::State::Insert);
    QCOMPARE(rig->schedule().recordCount(), 3);

    // Moving to another column of a line without post sends the user back to the post.
    rig->platform.queueAnswer(MessageAnswer::Ok);
    rig->press(Qt::Key_Tab);
    QCOMPARE(rig->platform.boxTexts(), QStringList({QStringLiteral("Выберите должность!")}));
    QCOMPARE(rig->platform.boxes().first().caption, QStringLiteral("ZEB 7 Штатное расписание"));
    QCOMPARE(child<DBGridEh>(*rig->form, "DBGridEh1")->selectedIndex(), int(ScheduleColumn::Post));

    // A click on it drops it; the column move asks once more on the way.
    rig->platform.queueAnswer(MessageAnswer::Ok);
    rig->clickCell(2, ScheduleColumn::Grade);
    QCOMPARE(rig->schedule().state(), Dataset::State::Browse);
    QCOMPARE(rig->schedule().recordCount(), 2);
    QCOMPARE(rig->stored(QStringLiteral("select count(*) as n from Vakansii"), QStringLiteral("n")),
             QStringLiteral("11"));
}

void TestScheduleGrid::concurrentEditIsRefusedWithoutLoss()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->execute(QStringLiteral("update Vakansii set q_units = 3, razrad = 9 where id_vakansiya = 2"));
    rig->platform.queueAnswer(MessageAnswer::Ok);

    rig->typeIntoCell(1, ScheduleColumn::Units, QStringLiteral("2"));
    rig->press(Qt::Key_Up);

    QCOMPARE(rig->platform.errors().size(), 1);
    QVERIFY(rig->platform.errors().first().contains(QStringLiteral("изменена другим пользователем")));
    // Neither value is lost: the other workstation's is stored, this one's stays in the line being edited.
    QCOMPARE(rig->reloaded(2, QStringLiteral("q_units")), QStringLiteral("3"));
    QCOMPARE(rig->reloaded(2, QStringLiteral("razrad")), QStringLiteral("9"));
    QCOMPARE(rig->schedule().state(), Dataset::State::Edit);
    QCOMPARE(rig->schedule().fieldByName(QStringLiteral("q_units"))->asString(), QStringLiteral("2"));
}

void TestScheduleGrid::concurrentEditOfAnotherColumnKeepsBoth()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->execute(QStringLiteral("update Vakansii set razrad = 9 where id_vakansiya = 2"));
    rig->platform.queueAnswer(MessageAnswer::Ok);

    rig->typeIntoCell(1, ScheduleColumn::EntryOrder, QStringLiteral("П-7"));
    rig->press(Qt::Key_Up);

    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->reloaded(2, QStringLiteral("razrad")), QStringLiteral("9"));
    QCOMPARE(rig->reloaded(2, QStringLiteral("e_n_p")), QStringLiteral("П-7"));
}

QTEST_MAIN(TestScheduleGrid)
#include "tst_schedulegrid.moc"
