#include "tests/support/EngineRows.h"
#include "server/NativeTable.h"
#include "credentials/PasswordDigest.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"

#include <QTest>

using namespace zeb;

namespace {

const QString wrongLogin = QStringLiteral("Неверное имя пользователя или пароль.");
const QString lockedOut = QStringLiteral(
    "Учётная запись временно заблокирована после неудачных попыток входа. Повторите попытку через 15 минут.");

} // namespace

// The sign-in procedure answers alike on every engine.
class TestGetUser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void repeatedFailuresLock_data() { addEngineRows(); }
    void repeatedFailuresLock();
    void successResetsTheFailures_data() { addEngineRows(); }
    void successResetsTheFailures();
    void guessesLearnNothingOfLogins_data() { addEngineRows(); }
    void guessesLearnNothingOfLogins();
    void impossibleLoginsRefused_data();
    void impossibleLoginsRefused();
    void passwordChange_data() { addEngineRows(); }
    void passwordChange();
    void updateIndicatorOncePerPublishedBuild_data() { addEngineRows(); }
    void updateIndicatorOncePerPublishedBuild();
};

void TestGetUser::answers_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<bool>("mustChange");
    QTest::addColumn<int>("passState");
    QTest::addColumn<bool>("credentials");

    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    for (EngineKind engine : {EngineKind::Sqlite, EngineKind::Postgres}) {
        const char* e = engine == EngineKind::Sqlite ? "sqlite" : "pg";
        QTest::addRow("%s accepted", e)
            << engine << u("Иванова") << u("secret1") << QString() << 0 << false << 90 << true;
        QTest::addRow("%s other letter case", e)
            << engine << u("иВАНОВА") << u("secret1") << QString() << 0 << false << 90 << true;
        QTest::addRow("%s trailing blanks", e)
            << engine << u("Иванова   ") << u("secret1") << QString() << 0 << false << 90 << true;
        QTest::addRow("%s password in other case", e)
            << engine << u("Иванова") << u("SECRET1") << wrongLogin << 0 << false << 0 << false;
        QTest::addRow("%s unknown login", e)
            << engine << u("Петров") << u("secret1") << wrongLogin << 0 << false << 0 << false;
        QTest::addRow("%s near expiry", e)
            << engine << u("Иванова") << u("secret1") << QString() << 80 << false << 10 << true;
        QTest::addRow("%s expired", e)
            << engine << u("Иванова") << u("secret1") << QString() << 95 << false << -5 << false;
        QTest::addRow("%s must change", e)
            << engine << u("Иванова") << u("secret1") << QString() << 0 << true << -1 << false;
    }
}

void TestGetUser::answers()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(int, ageDays);
    QFETCH(bool, mustChange);
    QFETCH(int, passState);
    QFETCH(bool, credentials);

    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin users(*admin);
        users.add(QStringLiteral("Иванова"), QStringLiteral("secret1"), mustChange);
        users.setPasswordAge(QStringLiteral("Иванова"), ageDays);
    }
    const GetUserAnswer answer = installation.getUser(login, password);
    QCOMPARE(answer.message, message);
    QCOMPARE(int(answer.passwordStatus), passState);
    QCOMPARE(int(answer.updateIndicator), 1);
    if (!credentials) {
        // Neither a refused user nor one who must change the password first gets an account to work with.
        QCOMPARE(answer.dbUserId, QString());
        QCOMPARE(answer.dbPassword, QString());
        return;
    }
    std::unique_ptr<Connection> work;
    QVERIFY_THROWS_NO_EXCEPTION(
        work = installation.connectionAs({answer.unscrambledUserId(), answer.unscrambledPassword()}));
    QVERIFY(work->query(QStringLiteral("select count(*) from post"))->next());
}

void TestGetUser::repeatedFailuresLock()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
    }
    for (int attempt = 1; attempt < 5; ++attempt)
        QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("wrong")).message, wrongLogin);
    // The fifth failure locks, but a guess is answered as for a login that does not exist.
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("wrong")).message, wrongLogin);
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("wrong")).message, wrongLogin);
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).message, lockedOut);

    std::unique_ptr<Engine> admin = installation.adminEngine();
    UserAdmin(*admin).unlock(QStringLiteral("kadry"));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).message, QString());
}

void TestGetUser::successResetsTheFailures()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
    }
    for (int attempt = 1; attempt < 5; ++attempt)
        installation.getUser(QStringLiteral("kadry"), QStringLiteral("wrong"));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).message, QString());
    installation.getUser(QStringLiteral("kadry"), QStringLiteral("wrong"));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).message, QString());
}

// Whatever a guesser tries, a real login (active, locked after failures or disabled) answers as one that
// does not exist.
void TestGetUser::guessesLearnNothingOfLogins()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin users(*admin);
        users.add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
        users.add(QStringLiteral("blocked"), QStringLiteral("blocked1"), false);
        users.lock(QStringLiteral("blocked"));
    }
    for (const QString& login :
         {QStringLiteral("kadry"), QStringLiteral("nobody"), QStringLiteral("blocked")}) {
        for (int attempt = 1; attempt <= 7; ++attempt)
            QCOMPARE(installation.getUser(login, QStringLiteral("guess")).message, wrongLogin);
    }
    QCOMPARE(installation.getUser(QStringLiteral("blocked"), QStringLiteral("blocked1")).message,
             QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору."));
}

void TestGetUser::impossibleLoginsRefused_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    const QString fifty(50, QLatin1Char('x'));
    for (EngineKind engine : {EngineKind::Sqlite, EngineKind::Postgres}) {
        const char* e = engine == EngineKind::Sqlite ? "sqlite" : "pg";
        QTest::addRow("%s longer than 50, not cut", e) << engine << fifty << fifty + QStringLiteral("yz");
        QTest::addRow("%s tab", e) << engine << QStringLiteral("tab\tname") << QStringLiteral("tab\tname");
        QTest::addRow("%s line break", e)
            << engine << QStringLiteral("two\nlines") << QStringLiteral("two\nlines");
    }
}

// Logins nobody can have, even one an older installation stored.
void TestGetUser::impossibleLoginsRefused()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        const NativeTable users(*admin, QStringLiteral("zeb_users"));
        users.insert({QStringLiteral("login"), QStringLiteral("pass_digest")},
                     {stored, passwordDigest(QStringLiteral("secret1"))});
    }
    const GetUserAnswer answer = installation.getUser(typed, QStringLiteral("secret1"));
    QCOMPARE(answer.message, wrongLogin);
    QCOMPARE(answer.dbUserId, QString());
}

void TestGetUser::passwordChange()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), true);
    }
    const GetUserAnswer demanded = installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123"));
    QCOMPARE(int(demanded.passwordStatus), -1);
    QCOMPARE(demanded.dbUserId, QString());
    QCOMPARE(demanded.dbPassword, QString());
    QCOMPARE(
        installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123"), QStringLiteral("kadry123"))
            .message,
        QStringLiteral("Новый пароль должен отличаться от прежнего."));
    const GetUserAnswer changed = installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123"),
                                                       QStringLiteral("novyi_456"));
    QCOMPARE(changed.message, QString());
    QCOMPARE(int(changed.passwordStatus), 90);
    QVERIFY_THROWS_NO_EXCEPTION(
        installation.connectionAs({changed.unscrambledUserId(), changed.unscrambledPassword()}));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).message, wrongLogin);
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("novyi_456")).message, QString());
}

void TestGetUser::updateIndicatorOncePerPublishedBuild()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine);
    std::unique_ptr<Engine> admin = installation.adminEngine();
    UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
             qint64(1));
    const QString program =
        engine == EngineKind::Postgres ? QStringLiteral("dbo.zeb_program") : QStringLiteral("zeb_program");
    admin->run(QStringLiteral("update %1 set build = build + 1").arg(program));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
             qint64(2));
    QCOMPARE(installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
             qint64(1));
}

QTEST_GUILESS_MAIN(TestGetUser)
#include "tst_getuser.moc"
