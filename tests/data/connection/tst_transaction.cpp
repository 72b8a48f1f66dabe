#include "data/ResultCursor.h"
#include "data/Transaction.h"
#include "platform/Error.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTest>

using namespace zeb;

class TestTransaction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsOnlyWhatIsCommitted_data();
    void keepsOnlyWhatIsCommitted();
    void aFailedRollbackLeavesTheFirstError_data() { addEngineRows(); }
    void aFailedRollbackLeavesTheFirstError();
};

namespace {

qint64 postCount(Engine& engine, const QString& name)
{
    const StatementResult result =
        engine.run(QStringLiteral("select count(*) from post where post = '%1'").arg(name));
    result.rows->next();
    return result.rows->value(0).toLongLong();
}

} // namespace

void TestTransaction::keepsOnlyWhatIsCommitted_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<qint64>("kept");
    for (const auto& [tag, engine] : installableEngines) {
        QTest::addRow("%s, committed", tag) << engine << QStringLiteral("commit") << qint64(1);
        QTest::addRow("%s, left by an error", tag) << engine << QStringLiteral("error") << qint64(0);
        QTest::addRow("%s, rolled back", tag) << engine << QStringLiteral("rollback") << qint64(0);
    }
}

void TestTransaction::keepsOnlyWhatIsCommitted()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, ending);
    QFETCH(qint64, kept);
    TestInstallation installation(engine);
    std::unique_ptr<Engine> admin = installation.adminEngine();
    const QString name = QStringLiteral("Лаборант ") + ending;
    try {
        Transaction transaction(*admin);
        admin->run(QStringLiteral("insert into post (post) values ('%1')").arg(name));
        if (ending == QStringLiteral("error"))
            throw Error(QStringLiteral("planned"));
        if (ending == QStringLiteral("rollback"))
            transaction.rollback();
        else
            transaction.commit();
    } catch (const Error& error) {
        QCOMPARE(error.message(), QStringLiteral("planned"));
    }
    QCOMPARE(postCount(*admin, name), kept);
    // The engine is out of the transaction: another one can begin.
    Transaction next(*admin);
    next.commit();
}

void TestTransaction::aFailedRollbackLeavesTheFirstError()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    std::unique_ptr<Engine> admin = installation.adminEngine();
    QString reported;
    try {
        Transaction transaction(*admin);
        // The session is gone: the rollback on leaving fails too, and says nothing.
        admin->close();
        throw Error(QStringLiteral("first"));
    } catch (const Error& error) {
        reported = error.message();
    }
    QCOMPARE(reported, QStringLiteral("first"));
}

QTEST_GUILESS_MAIN(TestTransaction)
#include "tst_transaction.moc"
