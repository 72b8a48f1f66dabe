#include "tests/support/ScriptedPlatform.h"
#include "credentials/SettingsFile.h"
#include "tests/signin/dialog/SignInRig.h"

#include <QTest>

using namespace zeb;

namespace {

const QString unknownUser = QStringLiteral("Неверное имя пользователя или пароль.");
const QString wrongCredentials = QStringLiteral("Неверно ввели логин или пароль.");

// The failed attempts the server has counted against the login.
QString failedAttempts(const TestInstallation& installation, const QString& login)
{
    const std::unique_ptr<Engine> admin = installation.adminEngine();
    return firstValue(*admin, QStringLiteral("SELECT failed_count FROM dbo.zeb_users WHERE login = $1"),
                      {login})
        .toString();
}

} // namespace

// A server that cannot be reached or ends the session is told apart from wrong credentials, names the
// server, and costs the person no failed attempt.
class TestSignInServerFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stoppedServerIsNotWrongCredentials();
    void endedSessionIsNotWrongCredentials();
};

void TestSignInServerFaults::stoppedServerIsNotWrongCredentials()
{
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(EngineKind::Postgres));
    const QString before = failedAttempts(rig->installation, QStringLiteral("kadry"));
    FirstConnectInfo stopped = rig->installation.settings();
    stopped.dataSource = QStringLiteral("pg:127.0.0.1:1");
    SettingsFile::write(rig->settingsPath(), stopped);
    rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));

    rig->flow.signInButtonClicked();

    const QString unreachable =
        QStringLiteral("Сервер базы данных «127.0.0.1:1» недоступен: он не запущен или до него нет связи. "
                       "Подождите и повторите; если сервер так и не ответит, сообщите администратору.");
    QCOMPARE(rig->view.messages, QStringList({unreachable, unreachable}));
    QCOMPARE(platform.errors().size(), 1);
    const QString shown = platform.errors().at(0);
    QVERIFY2(shown.startsWith(QStringLiteral("Не удаётся подключиться к базе данных.\n") + unreachable +
                              QStringLiteral("\n\nСообщение базы данных: ")),
             qPrintable(shown));
    QVERIFY2(!shown.contains(stopped.userId), qPrintable(shown));
    QCOMPARE(rig->view.closedWith, 0);
    SettingsFile::write(rig->settingsPath(), rig->installation.settings());
    QCOMPARE(failedAttempts(rig->installation, QStringLiteral("kadry")), before);
}

// The administrator ends the sign-in session kept open after a refused attempt; the next attempt meets the
// ended session, is told so, and the one after it signs in.
void TestSignInServerFaults::endedSessionIsNotWrongCredentials()
{
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(EngineKind::Postgres));
    rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), unknownUser);
    QVERIFY(rig->connection().isOpen());
    const QString counted = failedAttempts(rig->installation, QStringLiteral("kadry"));
    QCOMPARE(counted, QStringLiteral("1"));
    const FirstConnectInfo& settings = rig->installation.settings();
    const std::unique_ptr<Engine> admin = rig->installation.adminEngine();
    QCOMPARE(firstValue(*admin,
                        QStringLiteral("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity "
                                       "WHERE usename = $1 AND datname = current_database()"),
                        {settings.userId}),
             QVariant(qint64(1)));

    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));
    rig->flow.signInButtonClicked();

    const QString ended =
        QStringLiteral("Сервер базы данных «%1» завершил соединение по команде администратора "
                       "или при остановке. Подождите немного и повторите действие; если "
                       "сервер не отвечает, сообщите администратору.")
            .arg(settings.dataSource.mid(3));
    QCOMPARE(rig->view.message(), ended);
    QCOMPARE(platform.errors().size(), 1);
    QVERIFY2(platform.errors().at(0).startsWith(ended) && platform.errors().at(0).contains(QStringLiteral(
                                                              "terminating connection due to administrator")),
             qPrintable(platform.errors().at(0)));
    QVERIFY(!rig->view.messages.contains(wrongCredentials));
    QVERIFY(!rig->connection().isOpen());
    QCOMPARE(failedAttempts(rig->installation, QStringLiteral("kadry")), counted);

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.closedWith, 1);
}

QTEST_MAIN(TestSignInServerFaults)
#include "tst_signinserverfaults.moc"
