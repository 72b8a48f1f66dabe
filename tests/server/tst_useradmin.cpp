#include "tests/support/EngineRows.h"
#include "platform/Error.h"
#include "signin/GetUserOutcome.h"
#include "server/NativeTable.h"
#include "credentials/PasswordDigest.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"

#include <QTest>
#include <functional>
#include <map>

using namespace zeb;

namespace {

const QString wrongPasswordMessage = QStringLiteral("Неверное имя пользователя или пароль.");
const QString disabledMessage = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
const QString temporaryLockMessage =
    QStringLiteral("Учётная запись временно заблокирована после неудачных попыток "
                   "входа. Повторите попытку через 15 минут.");

} // namespace

class UserAdminTest : public QObject
{
    Q_OBJECT

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<UserAdmin> m_users;
    int m_loginNumber = 0;

    TestInstallation& installation()
    {
        QFETCH(EngineKind, engine);
        return *m_installations.at(engine);
    }

    // Every test works on logins of its own, so that the installations can be shared.
    QString newLogin() { return QStringLiteral("user%1").arg(++m_loginNumber); }

    GetUserAnswer signIn(const QString& login, const QString& password)
    {
        return installation().getUser(login, password);
    }

    QString refusal(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const Error& error) {
            return error.message();
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (EngineKind engine : {EngineKind::Sqlite, EngineKind::Postgres})
            QVERIFY_THROWS_NO_EXCEPTION(m_installations[engine] = std::make_unique<TestInstallation>(engine));
    }

    void init()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_engine = installation().adminEngine());
        m_users = std::make_unique<UserAdmin>(*m_engine);
    }

    void cleanup()
    {
        m_users.reset();
        m_engine.reset();
    }

    void cleanupTestCase() { m_installations.clear(); }

    void addedUserSignsIn_data() { addEngineRows(); }
    void addedUserSignsIn()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("Секрет1"), false, QStringLiteral("Иванов Иван Иванович"));
        const NativeTable users(*m_engine, QStringLiteral("zeb_users"));
        QCOMPARE(firstValue(*m_engine,
                            QStringLiteral("SELECT pass_digest FROM %1 WHERE login = %2")
                                .arg(users.name(), users.placeholder(0)),
                            {login})
                     .toString(),
                 passwordDigest(QStringLiteral("Секрет1")));

        const GetUserAnswer answer = signIn(login, QStringLiteral("Секрет1"));
        QCOMPARE(answer.message, QString());
        QCOMPARE(answer.passwordStatus, 90);
        QCOMPARE(decideOutcome(answer, 1), GetUserOutcome::Accepted);
        QCOMPARE(signIn(login, QStringLiteral("секрет1")).message, wrongPasswordMessage);
    }

    void addRefusesAnExistingLogin_data() { addEngineRows(); }
    void addRefusesAnExistingLogin()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("first11"), false);
        const QString message = refusal(
            [&] { m_users->add(login.toUpper() + QStringLiteral("  "), QStringLiteral("second2"), false); });
        QCOMPARE(message, QStringLiteral("Пользователь «%1» уже существует.").arg(login));
        QCOMPARE(decideOutcome(signIn(login, QStringLiteral("first11")), 1), GetUserOutcome::Accepted);
    }

    void refusesAnUnknownLogin_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<int>("action");
        for (int action = 0; action < 3; ++action) {
            QTest::addRow("sqlite %d", action) << EngineKind::Sqlite << action;
            QTest::addRow("pg %d", action) << EngineKind::Postgres << action;
        }
    }
    void refusesAnUnknownLogin()
    {
        QFETCH(int, action);
        const QString login = QStringLiteral("nobody");
        const QString message = refusal([&] {
            if (action == 0)
                m_users->setPassword(login, QStringLiteral("secret1"), false);
            else if (action == 1)
                m_users->lock(login);
            else
                m_users->unlock(login);
        });
        QCOMPARE(message, QStringLiteral("Пользователь «nobody» не найден."));
    }

    void newPasswordReplacesTheOld_data() { addEngineRows(); }
    void newPasswordReplacesTheOld()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("first11"), false);
        m_users->setPassword(login, QStringLiteral("second2"), false);
        QCOMPARE(signIn(login, QStringLiteral("first11")).message, wrongPasswordMessage);
        QCOMPARE(decideOutcome(signIn(login, QStringLiteral("second2")), 1), GetUserOutcome::Accepted);
    }

    void mustChangeDemandsAChange_data() { addEngineRows(); }
    void mustChangeDemandsAChange()
    {
        const QString added = newLogin();
        m_users->add(added, QStringLiteral("first11"), true);
        QCOMPARE(decideOutcome(signIn(added, QStringLiteral("first11")), 1), GetUserOutcome::ChangeDemanded);

        const QString reset = newLogin();
        m_users->add(reset, QStringLiteral("first11"), false);
        m_users->setPassword(reset, QStringLiteral("second2"), true);
        QCOMPARE(decideOutcome(signIn(reset, QStringLiteral("second2")), 1), GetUserOutcome::ChangeDemanded);
    }

    void lockHoldsUntilUnlock_data() { addEngineRows(); }
    void lockHoldsUntilUnlock()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("first11"), false);
        m_users->lock(login.toUpper() + QStringLiteral(" "));
        QCOMPARE(signIn(login, QStringLiteral("first11")).message, disabledMessage);
        m_users->unlock(login);
        QCOMPARE(decideOutcome(signIn(login, QStringLiteral("first11")), 1), GetUserOutcome::Accepted);
    }

    void unlockLiftsATemporaryLock_data() { addEngineRows(); }
    void unlockLiftsATemporaryLock()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("first11"), false);
        for (int attempt = 0; attempt < 5; ++attempt)
            signIn(login, QStringLiteral("wrong"));
        QCOMPARE(signIn(login, QStringLiteral("first11")).message, temporaryLockMessage);
        m_users->unlock(login);
        QCOMPARE(decideOutcome(signIn(login, QStringLiteral("first11")), 1), GetUserOutcome::Accepted);
    }

    void passwordAgeCountsTowardsExpiry_data() { addEngineRows(); }
    void passwordAgeCountsTowardsExpiry()
    {
        const QString login = newLogin();
        m_users->add(login, QStringLiteral("first11"), false);
        m_users->setPasswordAge(login, 80);
        QCOMPARE(signIn(login, QStringLiteral("first11")).passwordStatus, 10);
        m_users->setPassword(login, QStringLiteral("second2"), false);
        QCOMPARE(signIn(login, QStringLiteral("second2")).passwordStatus, 90);
    }

    void refusesWhatCannotSignIn_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty login") << EngineKind::Sqlite << QStringLiteral("  ")
                                     << QStringLiteral("secret1")
                                     << QStringLiteral("Имя пользователя не может быть пустым.");
        QTest::newRow("quote in login")
            << EngineKind::Sqlite << QStringLiteral("o'neil") << QStringLiteral("secret1")
            << QStringLiteral("Имя пользователя «o'neil» не может содержать апостроф.");
        for (const auto& [label, control] :
             {std::pair{"tab", "tab\tname"}, std::pair{"line feed", "line\nbreak"},
              std::pair{"bell", "bell\a"}, std::pair{"delete", "del\x7f"}})
            QTest::addRow("control character: %s", label)
                << EngineKind::Postgres << QString::fromLatin1(control) << QStringLiteral("secret1")
                << QStringLiteral("Имя пользователя не может содержать управляющие символы (табуляцию, "
                                  "перевод строки и подобные).");
        QTest::newRow("empty password") << EngineKind::Postgres << QStringLiteral("someone") << QString()
                                        << QStringLiteral("Пароль не может быть пустым.");
        QTest::newRow("outside the code page")
            << EngineKind::Postgres << QStringLiteral("someone") << QStringLiteral("пароль漢")
            << QStringLiteral("Пароль содержит символы вне кодировки Windows-1251.");
    }
    void refusesWhatCannotSignIn()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QCOMPARE(refusal([&] { m_users->add(login, password, false); }), expected);
    }
};

QTEST_GUILESS_MAIN(UserAdminTest)
#include "tst_useradmin.moc"
