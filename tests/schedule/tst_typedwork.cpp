#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "tests/support/EngineRows.h"
#include "data/dataset/Field.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "schedule/grid/ScheduleColumns.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace zeb;

namespace {

const QString gradeQuestion = QStringLiteral("Вы действительно хотите изменить разряд?");

// Division "Бухгалтерия" on screen: row 0 is line 1, row 1 is line 2, both saved.
std::unique_ptr<MainWindowRig> divisionOnScreen(EngineKind engine)
{
    auto rig = std::make_unique<MainWindowRig>(engine);
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_1"),
              QStringLiteral("Бухгалтерия"));
    return rig;
}

} // namespace

// Typed values survive the moves that end typing without leaving the cell.
class TestTypedWork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingTakesTheTypedValueOfASavedLine_data();
    void closingTakesTheTypedValueOfASavedLine();
    void closingTakesTheTypedValueOfANewLine_data() { addEngineRows(); }
    void closingTakesTheTypedValueOfANewLine();
    void closingWithATypedValueThatFailsToSave_data() { addEngineRows(); }
    void closingWithATypedValueThatFailsToSave();
    void keysTypedWhileAColumnAsksGoOnAfterTheAnswer_data() { addEngineRows(); }
    void keysTypedWhileAColumnAsksGoOnAfterTheAnswer();
    void withdrawalOrderTypedWhileTheWithdrawalIsAsked_data();
    void withdrawalOrderTypedWhileTheWithdrawalIsAsked();
};

void TestTypedWork::closingTakesTheTypedValueOfASavedLine_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("stored");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, change confirmed", name) << engine << MessageAnswer::Ok << QStringLiteral("7");
        QTest::addRow("%s, change refused", name) << engine << MessageAnswer::Cancel << QStringLiteral("0");
    }
}

// The typed grade goes through the column's question before the line is saved.
void TestTypedWork::closingTakesTheTypedValueOfASavedLine()
{
    QFETCH(EngineKind, engine);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, stored);
    auto rig = divisionOnScreen(engine);
    rig->typeInCell(1, ScheduleColumn::Grade, QStringLiteral("7"));
    rig->platform.queueAnswer(answer);

    QVERIFY(rig->form->close());

    QCOMPARE(rig->platform.boxTexts(), QStringList({gradeQuestion}));
    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->reloaded(2, QStringLiteral("razrad")), stored);
}

void TestTypedWork::closingTakesTheTypedValueOfANewLine()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->clickCell(1, ScheduleColumn::Post);
    rig->press(Qt::Key_Insert);
    const int row = rig->schedule().recNo();
    rig->pickInCell(row, ScheduleColumn::Post, QStringLiteral("Доцент"));
    rig->typeInCell(row, ScheduleColumn::EntryOrder, QStringLiteral("П-9"));

    QVERIFY(rig->form->close());

    QCOMPARE(rig->platform.boxTexts(), QStringList());
    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->stored(QStringLiteral("select id_otdel_1 from Vakansii where e_n_p = 'П-9'"),
                         QStringLiteral("id_otdel_1")),
             QStringLiteral("1"));
}

// Another workstation changed the line meanwhile: the typed value is in the line the user goes back to.
void TestTypedWork::closingWithATypedValueThatFailsToSave()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->execute(QStringLiteral("update Vakansii set razrad = 9 where id_vakansiya = 2"));
    rig->typeInCell(1, ScheduleColumn::Grade, QStringLiteral("7"));
    rig->platform.queueAnswer(MessageAnswer::Ok);
    rig->platform.queueAnswer(MessageAnswer::No);

    QVERIFY(!rig->form->close());

    QCOMPARE(rig->platform.boxes().size(), 2);
    QCOMPARE(rig->platform.boxes().first().text, gradeQuestion);
    QVERIFY(rig->platform.boxes().last().text.startsWith(QStringLiteral("Изменения строки не сохранены:")));
    QVERIFY(rig->form->isVisible());
    QCOMPARE(rig->schedule().state(), Dataset::State::Edit);
    QCOMPARE(rig->schedule().fieldByName(QStringLiteral("razrad"))->asString(), QStringLiteral("7"));
    QCOMPARE(rig->reloaded(2, QStringLiteral("razrad")), QStringLiteral("9"));
}

// The user types the grade, Tab, and goes on typing the staff units while the grade question is up; the
// keys reach neither the grade cell nor the box but the units cell, after the answer, ahead of what follows.
void TestTypedWork::keysTypedWhileAColumnAsksGoOnAfterTheAnswer()
{
    QFETCH(EngineKind, engine);
    auto rig = divisionOnScreen(engine);
    rig->typeInCell(1, ScheduleColumn::Grade, QStringLiteral("5"));
    QString gradeWhileUp;
    rig->platform.queueAnswer(MessageAnswer::Ok, [&] {
        rig->type(QApplication::focusWidget(), QStringLiteral("2"));
        gradeWhileUp = child<DBGridEh>(*rig->form, "DBGridEh1")->currentIndex().data().toString() +
                       QLatin1Char('/') + qobject_cast<QLineEdit*>(QApplication::focusWidget())->text();
    });

    rig->press(Qt::Key_Tab);
    rig->type(QApplication::focusWidget(), QStringLiteral("5"));

    QCOMPARE(gradeWhileUp, QStringLiteral("0/5"));
    QCOMPARE(child<DBGridEh>(*rig->form, "DBGridEh1")->selectedIndex(), int(ScheduleColumn::Units));
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), QStringLiteral("25"));
    rig->platform.queueAnswer(MessageAnswer::Ok);
    rig->press(Qt::Key_Up);
    QCOMPARE(
        rig->platform.boxTexts(),
        QStringList({gradeQuestion, QStringLiteral("Вы действительно хотите изменить количество единиц?")}));
    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->reloaded(2, QStringLiteral("razrad")), QStringLiteral("5"));
    QCOMPARE(rig->reloaded(2, QStringLiteral("q_units")), QStringLiteral("25"));
}

void TestTypedWork::withdrawalOrderTypedWhileTheWithdrawalIsAsked_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("withdrawal");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s, free line", name) << engine << 1 << 2 << QStringLiteral("3");
        // The question and then the warning: the order's number is typed across both.
        QTest::addRow("%s, occupied line", name) << engine << 0 << 1 << QStringLiteral("1");
    }
}

// The withdrawal kind is picked, and the user goes on with Tab and the order's number while the question
// (and, on an occupied line, the warning after it) is up.
void TestTypedWork::withdrawalOrderTypedWhileTheWithdrawalIsAsked()
{
    QFETCH(EngineKind, engine);
    QFETCH(int, row);
    QFETCH(int, line);
    QFETCH(QString, withdrawal);
    auto rig = divisionOnScreen(engine);
    const bool occupied = line == 1;
    rig->platform.queueAnswer(MessageAnswer::Ok, [&] {
        rig->press(Qt::Key_Tab);
        rig->type(QApplication::focusWidget(), occupied ? QStringLiteral("П-") : QStringLiteral("П-13"));
    });
    if (occupied)
        rig->platform.queueAnswer(MessageAnswer::Ok,
                                  [&] { rig->type(QApplication::focusWidget(), QStringLiteral("13")); });

    rig->pickInCell(row, ScheduleColumn::Deduce, QStringLiteral("Сокращение запланировано"));
    QApplication::processEvents();

    QCOMPARE(child<DBGridEh>(*rig->form, "DBGridEh1")->selectedIndex(), int(ScheduleColumn::WithdrawalOrder));
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), QStringLiteral("П-13"));
    rig->platform.queueAnswer(MessageAnswer::Ok);
    rig->press(row == 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(rig->platform.boxTexts().last(), QStringLiteral("Вы действительно хотите изменить запись?"));
    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->reloaded(line, QStringLiteral("d_n_p")), QStringLiteral("П-13"));
    QCOMPARE(rig->reloaded(line, QStringLiteral("id_deduce")), withdrawal);
}

QTEST_MAIN(TestTypedWork)
#include "tst_typedwork.moc"
