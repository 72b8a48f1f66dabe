#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "server/UserAdmin.h"
#include "tests/support/PrivateCluster.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <QThread>
#include <functional>
#include <optional>
#include <thread>

using namespace zeb;

namespace {

enum class Change
{
    Update, // line 1 gets grade 7
    Insert, // a new line of division 1 with grade 7
};

// The lines of division 1 as the main window holds them, on a client of the test's own cluster.
class Workstation
{
public:
    explicit Workstation(PrivateCluster& server) : cluster(server)
    {
        installation = std::make_unique<TestInstallation>(cluster.server());
        client = installation->signedInConnection();
        loadScheduleFixture(*client);
        lines = std::make_unique<Dataset>(QStringLiteral("lines"), client.get());
        lines->setSql(QStringLiteral("select * from Vakansii where id_otdel_1 = 1 order by id_vakansiya"));
        lines->setKeyField(QStringLiteral("id_vakansiya"));
        lines->open();
    }

    // Types the change into the lines without saving it.
    void type(Change change)
    {
        if (change == Change::Update) {
            QVERIFY(lines->locate(QStringLiteral("id_vakansiya"), 1));
            lines->edit();
        } else {
            lines->append();
            lines->fieldByName(QStringLiteral("id_post"))->setAsInteger(2);
            lines->fieldByName(QStringLiteral("id_otdel_1"))->setAsInteger(1);
        }
        lines->fieldByName(QStringLiteral("razrad"))->setAsInteger(7);
    }

    QString backend()
    {
        return columnValues(*client, QStringLiteral("select pg_backend_pid() AS p"), QStringLiteral("p"));
    }

    // Ends the client's session as an administrator does, once the server has ended it.
    void endSession()
    {
        const std::unique_ptr<Engine> admin = installation->adminEngine();
        admin->run(QStringLiteral("select pg_terminate_backend(%1, 60000)").arg(backend()));
    }

    // What the server holds, read by another session: lines of grade 7 / lines in all.
    QString stored()
    {
        const std::unique_ptr<Connection> reader = installation->signedInConnection();
        const QString n = QStringLiteral("n");
        return columnValues(*reader, QStringLiteral("select count(*) AS n from Vakansii where razrad = 7"),
                            n) +
               QLatin1Char('/') +
               columnValues(*reader, QStringLiteral("select count(*) AS n from Vakansii"), n);
    }

    // The typed change, still in the lines.
    void verifyKept(Change change)
    {
        QCOMPARE(lines->state(), change == Change::Update ? Dataset::State::Edit : Dataset::State::Insert);
        QCOMPARE(lines->fieldByName(QStringLiteral("razrad"))->asString(), QStringLiteral("7"));
    }

    PrivateCluster& cluster;
    std::unique_ptr<TestInstallation> installation;
    std::unique_ptr<Connection> client;
    std::unique_ptr<Dataset> lines;
};

// The refusal a step meets; nothing when it went through.
std::optional<DatabaseError> refusalOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const DatabaseError& error) {
        return error;
    }
    return std::nullopt;
}

// Eleven lines of the fixture, none of grade 7; the saved change adds one of grade 7.
const QString untouched = QStringLiteral("0/11");

QString savedOnce(Change change)
{
    return change == Change::Update ? QStringLiteral("1/11") : QStringLiteral("1/12");
}

void addChangeRows()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("update") << Change::Update;
    QTest::newRow("insert") << Change::Insert;
}

} // namespace

Q_DECLARE_METATYPE(Change)

// The server ends a client's session (an administrator, a restart, a lost line): the client's next statement
// connects again with the credentials it holds and goes out once; what may have reached the server is never
// sent twice, nor continued outside its transaction.
class TestReconnect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void saveAfterEndedSessionIsStoredOnce_data() { addChangeRows(); }
    void saveAfterEndedSessionIsStoredOnce();
    void saveAfterRestartIsStored_data() { addChangeRows(); }
    void saveAfterRestartIsStored();
    void stoppedServerKeepsTheTypedLine_data() { addChangeRows(); }
    void stoppedServerKeepsTheTypedLine();
    void readAfterRestartConnectsAgain();
    void refusedCredentialsAskForSignIn();
    void transactionIsNotContinuedInANewSession();
    void changeLostOnItsWayIsNotSentAgain_data() { addChangeRows(); }
    void changeLostOnItsWayIsNotSentAgain();

private:
    PrivateCluster m_cluster;
};

// A test that failed while the cluster was down leaves it so.
void TestReconnect::init()
{
    if (!m_cluster.isRunning())
        QVERIFY_THROWS_NO_EXCEPTION(m_cluster.start());
}

void TestReconnect::saveAfterEndedSessionIsStoredOnce()
{
    QFETCH(Change, change);
    Workstation desk(m_cluster);
    const QString first = desk.backend();
    desk.type(change);
    desk.endSession();

    desk.lines->post();

    QCOMPARE(desk.lines->state(), Dataset::State::Browse);
    QCOMPARE(desk.stored(), savedOnce(change));
    QVERIFY(desk.backend() != first);
}

void TestReconnect::saveAfterRestartIsStored()
{
    QFETCH(Change, change);
    Workstation desk(m_cluster);
    desk.type(change);
    desk.cluster.stop();
    desk.cluster.start();

    desk.lines->post();

    QCOMPARE(desk.lines->state(), Dataset::State::Browse);
    QCOMPARE(desk.stored(), savedOnce(change));
}

void TestReconnect::stoppedServerKeepsTheTypedLine()
{
    QFETCH(Change, change);
    Workstation desk(m_cluster);
    desk.type(change);
    desk.cluster.stop();

    const std::optional<DatabaseError> error = refusalOf([&] { desk.lines->post(); });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::ServerUnreachable);
    QCOMPARE(
        error->explanation(),
        QStringLiteral("Сервер базы данных «127.0.0.1:%1» недоступен: он не запущен или до него нет связи. "
                       "Подождите и повторите; если сервер так и не ответит, сообщите администратору.")
            .arg(desk.cluster.port()));
    desk.verifyKept(change);

    desk.cluster.start();
    desk.lines->post();
    QCOMPARE(desk.stored(), savedOnce(change));
}

void TestReconnect::readAfterRestartConnectsAgain()
{
    Workstation desk(m_cluster);
    desk.cluster.stop();
    desk.cluster.start();

    desk.lines->setSql(QStringLiteral("select * from Vakansii where id_faculty = 1 order by id_vakansiya"));
    desk.lines->open();

    QCOMPARE(desk.lines->recordCount(), 4);
}

// The administrator locks the person, which shuts the login and ends its sessions.
void TestReconnect::refusedCredentialsAskForSignIn()
{
    Workstation desk(m_cluster);
    desk.type(Change::Update);
    {
        const std::unique_ptr<Engine> admin = desk.installation->adminEngine();
        UserAdmin(*admin).lock(QStringLiteral("tester"));
    }

    const std::optional<DatabaseError> error = refusalOf([&] { desk.lines->post(); });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::SessionRefused);
    QCOMPARE(error->explanation(),
             QStringLiteral("Связь с сервером базы данных «127.0.0.1:%1» прервалась, а снова подключиться с "
                            "прежним входом он не дал: срок входа истёк, пароль сменён или вход закрыт. "
                            "Несохранённое осталось на экране: перепишите его, затем закройте программу и "
                            "войдите снова; если вход не удастся, сообщите администратору.")
                 .arg(desk.cluster.port()));
    QVERIFY2(!error->engineText().isEmpty(), "the server's words are kept for the administrator");
    desk.verifyKept(Change::Update);
}

// The server dropped the transaction's first change with the session: its second change must not be made
// alone in a new session, nor anything after it, until the transaction is rolled back.
void TestReconnect::transactionIsNotContinuedInANewSession()
{
    Workstation desk(m_cluster);
    Engine& engine = desk.client->engine();
    engine.beginTransaction();
    desk.client->execute(QStringLiteral("update Vakansii set razrad = 7 where id_vakansiya = 1"));
    desk.endSession();

    const std::optional<DatabaseError> second = refusalOf([&] {
        desk.client->execute(QStringLiteral("update Vakansii set razrad = 7 where id_vakansiya = 2"));
    });
    const std::optional<DatabaseError> third = refusalOf([&] {
        desk.client->execute(QStringLiteral("update Vakansii set razrad = 7 where id_vakansiya = 3"));
    });
    const std::optional<DatabaseError> commit = refusalOf([&] { engine.commit(); });

    QVERIFY(second);
    QCOMPARE(second->fault(), DatabaseFault::SessionEnded);
    const QString lost = QStringLiteral(
        "Связь с сервером базы данных прервалась посреди операции, и сервер отменил всё, что она "
        "успела изменить. Повторите операцию.");
    QVERIFY(third);
    QCOMPARE(third->message(), lost);
    QVERIFY(commit);
    QCOMPARE(commit->message(), lost);
    QCOMPARE(desk.stored(), untouched);

    engine.rollback();
    desk.client->execute(QStringLiteral("update Vakansii set razrad = 7 where id_vakansiya = 2"));
    QCOMPARE(desk.stored(), QStringLiteral("1/11"));
}

// The change waits for a row another session holds when the administrator ends the session: the server
// never made it, but the client cannot know that, so it neither sends it again nor calls it lost.
void TestReconnect::changeLostOnItsWayIsNotSentAgain()
{
    QFETCH(Change, change);
    Workstation desk(m_cluster);
    const QString pid = desk.backend();
    const std::unique_ptr<Engine> holder = desk.installation->adminEngine();
    holder->beginTransaction();
    // The new line's post is checked under a lock that the held post row keeps waiting.
    holder->run(change == Change::Update
                    ? QStringLiteral("select * from dbo.vakansii where id_vakansiya = 1 for update")
                    : QStringLiteral("select * from dbo.post where id_post = 2 for update"));
    desk.type(change);
    std::thread administrator([&desk, pid] {
        const std::unique_ptr<Engine> admin = desk.installation->adminEngine();
        const QString waiting =
            QStringLiteral(
                "select count(*) from pg_stat_activity where pid = %1 and wait_event_type = 'Lock'")
                .arg(pid);
        while (firstValue(*admin, waiting).toInt() == 0)
            QThread::msleep(10);
        admin->run(QStringLiteral("select pg_terminate_backend(%1, 60000)").arg(pid));
    });

    const std::optional<DatabaseError> error = refusalOf([&] { desk.lines->post(); });
    administrator.join();
    holder->rollback();

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::OutcomeUnknown);
    QCOMPARE(
        error->explanation(),
        QStringLiteral("Связь с сервером базы данных «127.0.0.1:%1» прервалась, пока он выполнял изменение, "
                       "и неизвестно, успел ли он его сохранить. Введённое осталось на экране. Прежде чем "
                       "сохранять снова, проверьте, не сохранено ли оно уже (например, в другом окне "
                       "программы): иначе новая строка может появиться дважды. Если связь не "
                       "восстановится, сообщите администратору.")
            .arg(desk.cluster.port()));
    desk.verifyKept(change);
    QCOMPARE(desk.stored(), untouched);
}

QTEST_MAIN(TestReconnect)
#include "tst_reconnect.moc"
