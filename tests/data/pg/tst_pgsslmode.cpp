#include "data/DatabaseError.h"
#include "tests/data/pg/PlainServerStandIn.h"
#include "tests/support/TestPgServer.h"
#include "pg/PgEngine.h"

#include <QTest>

using namespace zeb;

// A workstation insists on TLS with a PostgreSQL server unless ZEB_PG_SSLMODE lowers it for an old server.
class TestPgSslMode : public QObject
{
    Q_OBJECT

private:
    TestPgServer m_server;

    static void chooseMode(const QByteArray& mode)
    {
        if (mode.isNull())
            qunsetenv("ZEB_PG_SSLMODE");
        else
            qputenv("ZEB_PG_SSLMODE", mode);
    }

    ConnectionParams adminAt(int port) const
    {
        ConnectionParams params = m_server.adminParams(QStringLiteral("postgres"));
        params.dataSource = QStringLiteral("pg:%1:%2").arg(m_server.host).arg(port);
        return params;
    }

    static bool sessionEncrypted(PgEngine& engine)
    {
        StatementResult result =
            engine.run(QStringLiteral("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()"));
        return result.rows->next() && result.rows->value(0).toBool();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY_THROWS_NO_EXCEPTION(m_server = TestPgServer::fromEnvironment()); }
    void cleanup() { qunsetenv("ZEB_PG_SSLMODE"); }

    void serverWithTls_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<bool>("encrypted");
        QTest::newRow("by default") << QByteArray() << true;
        QTest::newRow("require") << QByteArray("require") << true;
        QTest::newRow("prefer") << QByteArray("Prefer") << true;
        QTest::newRow("disable") << QByteArray("disable") << false;
    }
    void serverWithTls()
    {
        QFETCH(QByteArray, mode);
        QFETCH(bool, encrypted);
        chooseMode(mode);
        PgEngine engine(adminAt(m_server.port));
        QVERIFY_THROWS_NO_EXCEPTION(engine.open());
        QCOMPARE(sessionEncrypted(engine), encrypted);
    }

    void serverWithoutTls_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<bool>("opens");
        QTest::newRow("by default") << QByteArray() << false;
        QTest::newRow("require") << QByteArray("require") << false;
        QTest::newRow("verify-full") << QByteArray("verify-full") << false;
        QTest::newRow("lowered to prefer") << QByteArray("prefer") << true;
        QTest::newRow("lowered to disable") << QByteArray(" DISABLE ") << true;
    }
    void serverWithoutTls()
    {
        QFETCH(QByteArray, mode);
        QFETCH(bool, opens);
        chooseMode(mode);
        PlainServerStandIn plain(std::uint16_t(m_server.port));
        QVERIFY(plain.port());
        PgEngine engine(adminAt(plain.port()));
        if (!opens) {
            QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.open());
            QVERIFY(plain.tlsRefused() > 0);
            return;
        }
        QVERIFY_THROWS_NO_EXCEPTION(engine.open());
        QVERIFY(!sessionEncrypted(engine));
        engine.close();
    }

    void unknownModeIsNamed()
    {
        chooseMode("yes");
        PgEngine engine(adminAt(m_server.port));
        try {
            engine.open();
            QFAIL("opened with an unknown TLS mode");
        } catch (const DatabaseError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("ZEB_PG_SSLMODE")), qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("«yes»")));
        }
    }
};

QTEST_GUILESS_MAIN(TestPgSslMode)
#include "tst_pgsslmode.moc"
