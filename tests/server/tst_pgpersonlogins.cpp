#include "data/DatabaseError.h"
#include "server/Installation.h"
#include "data/NativeSql.h"
#include "credentials/PasswordDigest.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"
#include "pg/PgEngine.h"

#include <QTest>
#include <future>

using namespace zeb;

namespace {

constexpr int desks = 6;
constexpr int rounds = 5;

} // namespace

// The persons' own PostgreSQL logins over time: one person at several desks, logins shut by a reset, an
// expiry or must-change, logins that lapse, and a sign-in account that tries to hold everybody's sign-in.
class PgPersonLoginsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestInstallation> m_installation;
    int m_loginNumber = 0;

    std::unique_ptr<Engine> admin() const { return m_installation->adminEngine(); }

    QString newPerson(bool mustChange = false)
    {
        const QString login = QStringLiteral("person%1").arg(++m_loginNumber);
        UserAdmin(*admin()).add(login, QStringLiteral("secret1"), mustChange);
        return login;
    }

    // Every person of these tests signs in with the password newPerson gave.
    ServerAccount signIn(const QString& login, const QString& password = QStringLiteral("secret1")) const
    {
        return m_installation->signIn(login, password);
    }

    // Signs in, connects with what was handed out and writes a line, as a workstation does.
    void deskWorks(const QString& login) const
    {
        const std::unique_ptr<Engine> desk = m_installation->sessionAs(signIn(login));
        desk->run(QStringLiteral("UPDATE dbo.vuzdefaults SET n_field = n_field WHERE id_vuz_defaults = 22"));
        if (firstValue(*desk, QStringLiteral("SELECT count(*) FROM dbo.post")).isNull())
            throw Error(QStringLiteral("no answer"));
    }

    static bool alive(Engine& engine)
    {
        try {
            return firstValue(engine, QStringLiteral("SELECT 1")).toInt() == 1;
        } catch (const DatabaseError&) {
            return false;
        }
    }

    bool opens(const ServerAccount& account) const
    {
        try {
            return alive(*m_installation->sessionAs(account));
        } catch (const DatabaseError&) {
            return false;
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_installation =
                                        std::make_unique<TestInstallation>(EngineKind::Postgres));
    }

    void cleanupTestCase() { m_installation.reset(); }

    void oneLoginAtSixDesksAtOnce()
    {
        const QString login = newPerson();
        const ServerAccount first = signIn(login);
        const std::unique_ptr<Engine> working = m_installation->sessionAs(first);
        for (int round = 0; round < rounds; ++round) {
            std::vector<std::future<QString>> signIns;
            for (int desk = 0; desk < desks; ++desk)
                signIns.push_back(std::async(std::launch::async, [&] {
                    try {
                        deskWorks(login);
                        return QString();
                    } catch (const Error& error) {
                        return error.message();
                    }
                }));
            for (std::future<QString>& signIn : signIns)
                QCOMPARE(signIn.get(), QString());
            QVERIFY(alive(*working));
        }
        // A desk signed in before the others reconnects with what it was handed.
        QVERIFY(opens(first));
    }

    void loginOpenForTwelveHoursFromTheLastSignIn()
    {
        const QString login = newPerson();
        const ServerAccount account = signIn(login);
        QVERIFY(
            firstValue(*admin(),
                       QStringLiteral("SELECT rolvaliduntil BETWEEN now() + interval '11 hours 59 minutes' "
                                      "AND now() + interval '12 hours' FROM pg_roles WHERE rolname = $1"),
                       {account.user})
                .toBool());
        // Twelve hours on, its sessions end at the next sign-in of anybody, and it no longer opens.
        const std::unique_ptr<Engine> open = m_installation->sessionAs(account);
        admin()->run(QStringLiteral("ALTER ROLE %1 VALID UNTIL '2000-01-01'")
                         .arg(nativesql::quoteIdentifier(EngineKind::Postgres, account.user)));
        deskWorks(newPerson());
        QVERIFY(!alive(*open));
        QVERIFY(!opens(account));
        const ServerAccount again = signIn(login);
        QVERIFY(again.password != account.password);
        QVERIFY(opens(again));
    }

    void shutLoginsRefuseTheOldCredentials_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("reset") << QStringLiteral("reset");
        QTest::newRow("reset demanding a change") << QStringLiteral("reset must change");
        QTest::newRow("must change") << QStringLiteral("must change");
        QTest::newRow("expired") << QStringLiteral("expired");
        QTest::newRow("lock") << QStringLiteral("lock");
    }
    void shutLoginsRefuseTheOldCredentials()
    {
        QFETCH(QString, how);
        const QString login = newPerson();
        const ServerAccount old = signIn(login);
        const std::unique_ptr<Engine> open = m_installation->sessionAs(old);
        {
            const std::unique_ptr<Engine> engine = admin();
            UserAdmin users(*engine);
            if (how.startsWith(QLatin1String("reset")))
                users.setPassword(login, QStringLiteral("secret2"), how.endsWith(QLatin1String("change")));
            else if (how == QLatin1String("lock"))
                users.lock(login);
            else if (how == QLatin1String("expired"))
                users.setPasswordAge(login, 95);
            else
                engine->run(QStringLiteral("UPDATE dbo.zeb_users SET must_change = 1 WHERE login = $1"),
                            {login});
        }
        if (how == QLatin1String("expired") || how == QLatin1String("must change")) {
            // The server learns it at the person's next sign-in, which opens nothing.
            const GetUserAnswer answer = m_installation->getUser(login, QStringLiteral("secret1"));
            QVERIFY(answer.passwordStatus < 0);
            QCOMPARE(answer.dbUserId, QString());
        }
        QVERIFY(!alive(*open));
        QVERIFY(!opens(old));
        if (how == QLatin1String("reset")) {
            const ServerAccount fresh = signIn(login, QStringLiteral("secret2"));
            QVERIFY(fresh.password != old.password);
            QVERIFY(opens(fresh));
            QVERIFY(!opens(old));
        }
    }

    // As the probe ran it: a session of the sign-in account calls GET_USER in a transaction it keeps open,
    // holding the person's row (a guess) or the workstation's row (an accepted sign-in), while another
    // workstation signs in.
    void heldSignInIsBroken_data()
    {
        QTest::addColumn<bool>("holdWorkstation");
        QTest::newRow("the person's row") << false;
        QTest::newRow("the workstation's row") << true;
    }
    void heldSignInIsBroken()
    {
        QFETCH(bool, holdWorkstation);
        const QString login = newPerson();
        const QString holderLogin = holdWorkstation ? newPerson() : login;
        const FirstConnectInfo& settings = m_installation->settings();
        PgEngine holder(ConnectionParams{settings.userId, settings.password, settings.initialCatalog,
                                         settings.dataSource});
        holder.open();
        // As an attacker would: the role's own limit on idling in a transaction is lifted for the session.
        holder.run(QStringLiteral("SET idle_in_transaction_session_timeout = 0"));
        holder.beginTransaction();
        const GetUserAnswer held = GetUserAnswer::read(
            *holder
                 .run(QStringLiteral(
                          "SELECT * FROM dbo.get_user($1, $2, NULL, 'ZEB 7', '10.0.0.66', 'TEST-PC', "
                          "$1, '0', '4')"),
                      {holderLogin,
                       holdWorkstation ? passwordDigest(QStringLiteral("secret1")) : QStringLiteral("guess")})
                 .rows);
        QCOMPARE(held.dbUserId.isEmpty(), !holdWorkstation);

        QVERIFY_THROWS_NO_EXCEPTION(deskWorks(login));
        QVERIFY(!alive(holder));
        QVERIFY_THROWS_NO_EXCEPTION(deskWorks(holderLogin));
    }
};

QTEST_GUILESS_MAIN(PgPersonLoginsTest)
#include "tst_pgpersonlogins.moc"
