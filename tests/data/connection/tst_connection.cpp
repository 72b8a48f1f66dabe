#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "tests/support/EngineRows.h"
#include "data/ResultCursor.h"
#include "tests/support/TestInstallation.h"

#include <QLoggingCategory>
#include <QTest>

using namespace zeb;

namespace {

QStringList traced;

void recordTrace(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "zeb.sql") == 0)
        traced.append(message);
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void engineChosenByDataSource_data();
    void engineChosenByDataSource();
    void connectionStringRules_data() { addEngineRows(); }
    void connectionStringRules();
    void statementsAreTraced_data() { addEngineRows(); }
    void statementsAreTraced();
};

void TestConnection::engineChosenByDataSource_data()
{
    QTest::addColumn<QString>("dataSource");
    QTest::addColumn<EngineKind>("engine");
    QTest::newRow("embedded") << QStringLiteral("sqlite:zeb.db") << EngineKind::Sqlite;
    QTest::newRow("postgres with port") << QStringLiteral("pg:10.0.0.5:5433") << EngineKind::Postgres;
    QTest::newRow("postgres") << QStringLiteral("PG:db-server") << EngineKind::Postgres;
    QTest::newRow("sql server") << QStringLiteral("KADRY\\SQLEXPRESS") << EngineKind::SqlServer;
}

void TestConnection::engineChosenByDataSource()
{
    QFETCH(QString, dataSource);
    QFETCH(EngineKind, engine);
    Connection connection;
    connection.setConnectionString(
        QStringLiteral("Provider=SQLOLEDB.1;Password=x;Persist Security Info=True;User "
                       "ID=u;Initial Catalog=zeb;Data Source=") +
        dataSource + QStringLiteral(";Use Procedure for Prepare=1"));
    QCOMPARE(connection.engineKind(), engine);
}

void TestConnection::connectionStringRules()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    std::unique_ptr<Connection> connection = installation.signedInConnection();
    const QString text = connection->connectionString();

    connection->setConnectionString(text);
    QVERIFY(connection->isOpen());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, connection->setConnectionString(text + QStringLiteral(";")));
    QCOMPARE(connection->connectionString(), text);
    QVERIFY(connection->isOpen());

    connection->close();
    connection->setConnectionString(text + QStringLiteral(";"));
    connection->query(QStringLiteral("select * from post"));
    QVERIFY(connection->isOpen());
}

void TestConnection::statementsAreTraced()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    std::unique_ptr<Connection> connection = installation.signedInConnection();
    traced.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("zeb.sql.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
    connection->query(QStringLiteral("select top(0) vakansii.* from vakansii"));
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());

    QCOMPARE(traced.size(), 2);
    QCOMPARE(traced.at(0), QStringLiteral("sent: select top(0) vakansii.* from vakansii"));
    QVERIFY2(traced.at(1).startsWith(QStringLiteral("engine: select vakansii.* from vakansii")),
             qPrintable(traced.at(1)));
    QVERIFY2(traced.at(1).endsWith(QStringLiteral("LIMIT 0")), qPrintable(traced.at(1)));
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
