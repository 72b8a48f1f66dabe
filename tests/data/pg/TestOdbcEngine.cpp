#include "DatabaseError.h"
#include "odbc/OdbcEngine.h"

#include <QTest>

using namespace zeb;

// No SQL Server is reachable here: only the failure path of opening is exercised.
class TestOdbcEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unreachableServerFailsWithMessage();
};

void TestOdbcEngine::unreachableServerFailsWithMessage()
{
    ConnectionParams params;
    params.dataSource = QStringLiteral("127.0.0.1,1");
    params.initialCatalog = QStringLiteral("ZEB");
    params.userId = QStringLiteral("zeb");
    params.password = QStringLiteral("p;a}ss");

    // The second attempt reuses the engine's connection name, which the failed one must have released.
    OdbcEngine engine(params);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            engine.open();
            QFAIL("a connection was opened");
        } catch (const DatabaseError& error) {
            QVERIFY2(!error.message().trimmed().isEmpty(), "the error has no message");
            QVERIFY2(!error.message().startsWith(QLatin1Char('[')), qPrintable(error.message()));
        }
        QVERIFY(!engine.isOpen());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.run(QStringLiteral("SELECT 1")));
    }
}

QTEST_GUILESS_MAIN(TestOdbcEngine)
#include "TestOdbcEngine.moc"
