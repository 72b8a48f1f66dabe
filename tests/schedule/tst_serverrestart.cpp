#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "data/dataset/Field.h"
#include "schedule/grid/ScheduleColumns.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/NamedChild.h"
#include "tests/support/PrivateCluster.h"
#include "tests/support/ScheduleFixture.h"

#include <QTest>

using namespace zeb;

namespace {

enum class Change
{
    Grade,   // line 1 gets grade 7
    NewLine, // a new line of "Доцент" before line 1
};

enum class Fault
{
    EndedSession, // an administrator ends the window's session
    Restart,      // the server stops fast and starts again
};

// The main window on the test's own cluster, showing the lines of "Бухгалтерия".
std::unique_ptr<MainWindowRig> accountingOn(PrivateCluster& cluster)
{
    auto rig = std::make_unique<MainWindowRig>(std::make_unique<TestInstallation>(cluster.server()));
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Otdel_1"),
              QStringLiteral("Бухгалтерия"));
    return rig;
}

// Types the change into the grid without leaving its line.
void type(MainWindowRig& rig, Change change)
{
    if (change == Change::Grade) {
        rig.platform.queueAnswer(MessageAnswer::Ok);
        rig.typeIntoCell(0, ScheduleColumn::Grade, QStringLiteral("7"));
        return;
    }
    rig.clickCell(0, ScheduleColumn::Post);
    rig.press(Qt::Key_Insert);
    rig.pickInCell(rig.schedule().recNo(), ScheduleColumn::Post, QStringLiteral("Доцент"));
}

// The change as the grid still holds it, unsaved.
void verifyTyped(MainWindowRig& rig, Change change)
{
    Dataset& lines = rig.schedule();
    QCOMPARE(lines.recNo(), 0);
    if (change == Change::Grade) {
        QCOMPARE(lines.state(), Dataset::State::Edit);
        QCOMPARE(lines.fieldByName(QStringLiteral("razrad"))->asString(), QStringLiteral("7"));
        const QModelIndex cell =
            child<DBGridEh>(*rig.form, "DBGridEh1")->model()->index(0, ScheduleColumn::Grade);
        QCOMPARE(cell.data().toString(), QStringLiteral("7"));
    } else {
        QCOMPARE(lines.state(), Dataset::State::Insert);
        QCOMPARE(lines.fieldByName(QStringLiteral("POST"))->asString(), QStringLiteral("Доцент"));
    }
}

// The change stored once: lines of grade 7 / lines in all, as another workstation reads them.
QString stored(MainWindowRig& rig)
{
    const QString n = QStringLiteral("n");
    return rig.stored(QStringLiteral("select count(*) as n from Vakansii where razrad = 7"), n) +
           QLatin1Char('/') + rig.stored(QStringLiteral("select count(*) as n from Vakansii"), n);
}

QString savedOnce(Change change)
{
    return change == Change::Grade ? QStringLiteral("1/11") : QStringLiteral("0/12");
}

void endSession(MainWindowRig& rig)
{
    const QString pid = columnValues(rig.dataModule.connection,
                                     QStringLiteral("select pg_backend_pid() AS p"), QStringLiteral("p"));
    const std::unique_ptr<Engine> admin = rig.installation->adminEngine();
    admin->run(QStringLiteral("select pg_terminate_backend(%1, 60000)").arg(pid));
}

void addChangeRows()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("grade") << Change::Grade;
    QTest::newRow("new line") << Change::NewLine;
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Fault)

// The main window when the server ends its session or restarts: the next save or read connects again by
// itself; with the server down the user is told why in Russian and the line stays as typed, to be saved
// once the server is back.
class TestServerRestart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void lineIsSavedOnTheNewSession_data();
    void lineIsSavedOnTheNewSession();
    void stoppedServerKeepsTheLine_data() { addChangeRows(); }
    void stoppedServerKeepsTheLine();
    void unitOpensAfterRestart();

private:
    PrivateCluster m_cluster;
};

// A test that failed while the cluster was down leaves it so.
void TestServerRestart::init()
{
    if (!m_cluster.isRunning())
        QVERIFY_THROWS_NO_EXCEPTION(m_cluster.start());
}

void TestServerRestart::lineIsSavedOnTheNewSession_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<Fault>("fault");
    QTest::newRow("grade, ended session") << Change::Grade << Fault::EndedSession;
    QTest::newRow("grade, restart") << Change::Grade << Fault::Restart;
    QTest::newRow("new line, ended session") << Change::NewLine << Fault::EndedSession;
    QTest::newRow("new line, restart") << Change::NewLine << Fault::Restart;
}

void TestServerRestart::lineIsSavedOnTheNewSession()
{
    QFETCH(Change, change);
    QFETCH(Fault, fault);
    const std::unique_ptr<MainWindowRig> rig = accountingOn(m_cluster);
    type(*rig, change);
    if (fault == Fault::EndedSession) {
        endSession(*rig);
    } else {
        m_cluster.stop();
        m_cluster.start();
    }

    rig->press(Qt::Key_Down);

    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->schedule().state(), Dataset::State::Browse);
    QCOMPARE(stored(*rig), savedOnce(change));
}

void TestServerRestart::stoppedServerKeepsTheLine()
{
    QFETCH(Change, change);
    const std::unique_ptr<MainWindowRig> rig = accountingOn(m_cluster);
    type(*rig, change);
    m_cluster.stop();

    rig->press(Qt::Key_Down);

    const QStringList errors = rig->platform.errors();
    QCOMPARE(errors.size(), 1);
    const QString explanation =
        QStringLiteral("Сервер базы данных «127.0.0.1:%1» недоступен: он не запущен или до него нет связи. "
                       "Подождите и повторите; если сервер так и не ответит, сообщите администратору.")
            .arg(m_cluster.port());
    QVERIFY2(errors.first().startsWith(explanation + QStringLiteral("\n\nСообщение базы данных: ")),
             qPrintable(errors.first()));
    verifyTyped(*rig, change);

    m_cluster.start();
    rig->press(Qt::Key_Down);

    QCOMPARE(rig->platform.errors().size(), 1);
    QCOMPARE(rig->schedule().state(), Dataset::State::Browse);
    QCOMPARE(stored(*rig), savedOnce(change));
}

void TestServerRestart::unitOpensAfterRestart()
{
    const std::unique_ptr<MainWindowRig> rig = accountingOn(m_cluster);
    m_cluster.stop();
    m_cluster.start();

    rig->clickTab(1);
    rig->pick(child<DBLookupComboBox>(*rig->form, "DBLookupComboboxEh_Faculty"), QStringLiteral("ФМ"));

    QCOMPARE(rig->platform.errors().join(QLatin1Char('\n')), QString());
    QCOMPARE(rig->schedule().recordCount(), 1);
    QCOMPARE(rig->schedule().fieldByName(QStringLiteral("id_vakansiya"))->asString(), QStringLiteral("6"));
}

QTEST_MAIN(TestServerRestart)
#include "tst_serverrestart.moc"
