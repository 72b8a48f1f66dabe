#include "credentials/SettingsFile.h"
#include "data/pg/PgEngine.h"
#include "data/sqlite/SqliteEngine.h"
#include "server/Installation.h"
#include "signin/ConnectionString.h"
#include "signin/dialog/VersionLabel.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestPgServer.h"
#include "tests/tools/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

// True when the text is a single line that ends with a line break.
bool isOneLine(const QString& text)
{
    return text.endsWith(QLatin1Char('\n')) && text.count(QLatin1Char('\n')) == 1;
}

int closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const int port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class AdminToolTest : public QObject
{
    Q_OBJECT

private:
    DemoInstallations m_demos;
    int m_closedPort = 0;

    ToolRun run(const QStringList& arguments, const QByteArray& input = {})
    {
        return m_demos.run(arguments, input);
    }

    QString directory()
    {
        QFETCH(EngineKind, engine);
        return m_demos.folders.at(engine);
    }

    ToolRun query(const QString& login, const QString& password, const QString& statement)
    {
        return run({QStringLiteral("query"), directory(), QStringLiteral("--login"), login,
                    QStringLiteral("--password"), password, statement});
    }

    // A report of the installation as the demo user "kadry"; the other words follow.
    ToolRun report(const QStringList& words)
    {
        return run(QStringList{QStringLiteral("report"), directory(), QStringLiteral("--login"),
                               QStringLiteral("kadry"), QStringLiteral("--password"),
                               QStringLiteral("kadry123")} +
                   words);
    }

    ToolRun vacancies(const QStringList& words)
    {
        return run(QStringList{QStringLiteral("vacancies"), directory(), QStringLiteral("--login"),
                               QStringLiteral("kadry"), QStringLiteral("--password"),
                               QStringLiteral("kadry123")} +
                   words);
    }

    ToolRun user(const QStringList& arguments)
    {
        QStringList words{QStringLiteral("user"), arguments.at(0), directory()};
        words += arguments.mid(1);
        if (m_demos.server)
            words += {QStringLiteral("--admin-user"), m_demos.server->adminUser};
        return run(words);
    }

    // A folder whose settings name a PostgreSQL server where none listens.
    QString deadServerFolder()
    {
        const QString folder = m_demos.root.filePath(QStringLiteral("dead"));
        FirstConnectInfo settings{QStringLiteral("zeb_signin"), QStringLiteral("secret"),
                                  QStringLiteral("zeb"), QStringLiteral("pg:127.0.0.1:%1").arg(m_closedPort)};
        SettingsFile::write(Installation::settingsPath(folder), settings);
        return folder;
    }

    // The failed attempts the server counted against "kadry"; the embedded engine's file is not reached.
    QString failedAttempts(EngineKind engine)
    {
        if (engine != EngineKind::Postgres)
            return {};
        PgEngine admin(m_demos.server->adminParams(m_demos.pgDatabase));
        admin.open();
        const StatementResult result =
            admin.run(QStringLiteral("SELECT failed_count FROM dbo.zeb_users WHERE login = 'kadry'"));
        return result.rows->next() ? result.rows->toText(0) : QStringLiteral("no row");
    }

    // A folder whose settings name a SQL Server where none listens.
    QString deadSqlServerFolder()
    {
        const QString folder = m_demos.root.filePath(QStringLiteral("mssql"));
        FirstConnectInfo settings{QStringLiteral("ZEB_signin"), QStringLiteral("secret"),
                                  QStringLiteral("ZEB"), QStringLiteral("127.0.0.1,1")};
        SettingsFile::write(Installation::settingsPath(folder), settings);
        return folder;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_closedPort = closedPort();
        QString refusal;
        QVERIFY_THROWS_NO_EXCEPTION(refusal = m_demos.install());
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    }

    void cleanupTestCase() { QVERIFY_THROWS_NO_EXCEPTION(m_demos.dropDatabase()); }

    void settingsShowsWhatTheClientReads_data() { addEngineRows(); }
    void settingsShowsWhatTheClientReads()
    {
        QFETCH(EngineKind, engine);
        const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(directory()));
        const QString database = engine == EngineKind::Sqlite ? QStringLiteral("zeb") : m_demos.pgDatabase;
        QCOMPARE(settings.userId, database + QStringLiteral("_signin"));
        QCOMPARE(settings.initialCatalog, database);
        QCOMPARE(settings.dataSource, engine == EngineKind::Sqlite ? QStringLiteral("sqlite:zeb.db")
                                                                   : m_demos.server->dataSource());

        const QString expected =
            QStringLiteral("User ID: %1\nPassword: %2\nInitial Catalog: %3\nData Source: %4\n"
                           "Connection string: %5\n");
        ToolRun shown = run({QStringLiteral("settings"), directory(), QStringLiteral("--show-password")});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, expected.arg(settings.userId, settings.password, settings.initialCatalog,
                                         settings.dataSource, buildConnectionString(settings)));

        // Without the flag the password shows nowhere, not even inside the connection string.
        FirstConnectInfo hidden = settings;
        hidden.password = QStringLiteral("********");
        shown = run({QStringLiteral("settings"), directory()});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, expected.arg(hidden.userId, hidden.password, hidden.initialCatalog,
                                         hidden.dataSource, buildConnectionString(hidden)));
        QVERIFY(!shown.out.contains(settings.password));
    }

    void versionIsTheClientsLabel()
    {
        const ToolRun shown = run({QStringLiteral("--version")});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, versionLabelText(buildDateTime()) + QLatin1Char('\n'));
        QVERIFY2(shown.out.startsWith(QStringLiteral("V.")), qPrintable(shown.out));
    }

    void passwordsFromStandardInput_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        for (const auto& [name, engine] : installableEngines) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s: %s", name, label) << engine;
            };
            row("one line") << QByteArray("kadry123\n") << 0 << QStringLiteral("n\r\n1\r\n") << QString();
            row("a line from Windows")
                << QByteArray("kadry123\r\n") << 0 << QStringLiteral("n\r\n1\r\n") << QString();
            row("only the first line")
                << QByteArray("kadry123\nsomething else\n") << 0 << QStringLiteral("n\r\n1\r\n") << QString();
            row("last line without a break")
                << QByteArray("kadry123") << 0 << QStringLiteral("n\r\n1\r\n") << QString();
            row("wrong password") << QByteArray("kadry124\n") << 1 << QString()
                                  << QStringLiteral("zeb7-admin: Неверное имя пользователя или пароль.\n");
        }
        QTest::newRow("nothing given")
            << EngineKind::Sqlite << QByteArray() << 2 << QString()
            << QStringLiteral("zeb7-admin: не указан пароль --password: его нет ни в "
                              "командной строке, ни на стандартном вводе. Справка: "
                              "zeb7-admin --help\n");
    }
    void passwordsFromStandardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const ToolRun result =
            run({QStringLiteral("query"), directory(), QStringLiteral("--login"), QStringLiteral("kadry"),
                 QStringLiteral("select count(*) AS n from post where id_post = 1")},
                input);
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
    }

    void userPasswordFollowsTheClientRule_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("onStandardInput");
        QTest::addColumn<QString>("refusal");

        const QString tooShort = QStringLiteral(
            "Пароль должен состоять не менее чем из 6 символов!!! Введите новый пароль заново.");
        const QString wrongCharacters =
            QStringLiteral("Пароль должен состоять только из латинских букв, цифр и знака «_».");
        for (const auto& [name, engine] : installableEngines) {
            for (const char* action : {"add", "passwd"}) {
                const auto row = [&](const char* label) -> QTestData& {
                    return QTest::addRow("%s %s: %s", name, action, label)
                           << engine << QString::fromLatin1(action);
                };
                row("five characters") << QStringLiteral("Ab_12") << false << tooShort;
                row("empty line on standard input") << QString() << true << tooShort;
                row("cyrillic") << QStringLiteral("пароль12") << false << wrongCharacters;
                row("blank") << QStringLiteral("abc 123") << false << wrongCharacters;
                row("punctuation on standard input") << QStringLiteral("abc-123") << true << wrongCharacters;
                row("six allowed characters") << QStringLiteral("Ab_123") << false << QString();
                row("allowed on standard input") << QStringLiteral("zZ_09aB") << true << QString();
            }
        }
    }
    void userPasswordFollowsTheClientRule()
    {
        QFETCH(QString, action);
        QFETCH(QString, password);
        QFETCH(bool, onStandardInput);
        QFETCH(QString, refusal);
        // One login per row; passwd works on a user who signs in with "first1".
        static int rowNumber = 0;
        const QString login = QStringLiteral("rule%1").arg(++rowNumber);
        if (action == QLatin1String("passwd"))
            QCOMPARE(user({QStringLiteral("add"), login, QStringLiteral("first1")}).exitCode, 0);

        QStringList words{QStringLiteral("user"), action, directory(), login};
        if (!onStandardInput)
            words.append(password);
        if (m_demos.server)
            words += {QStringLiteral("--admin-user"), m_demos.server->adminUser};
        const ToolRun result = run(words, onStandardInput ? password.toUtf8() + '\n' : QByteArray());

        const QString select = QStringLiteral("select count(*) AS n from post where id_post = 1");
        if (refusal.isEmpty()) {
            QVERIFY2(result.exitCode == 0, qPrintable(result.err));
            QCOMPARE(query(login, password, select).out, QStringLiteral("n\r\n1\r\n"));
            return;
        }
        QCOMPARE(result.err, QStringLiteral("zeb7-admin: ") + refusal + QLatin1Char('\n'));
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QString());
        // Nothing changed: the user is still missing, or still signs in with the old password.
        if (action == QLatin1String("add"))
            QCOMPARE(user({QStringLiteral("lock"), login}).exitCode, 1);
        else
            QCOMPARE(query(login, QStringLiteral("first1"), select).out, QStringLiteral("n\r\n1\r\n"));
    }

    void userCommandsManageSignIn_data() { addEngineRows(); }
    void userCommandsManageSignIn()
    {
        const QString select = QStringLiteral("select count(*) AS n from post where id_post = 1");
        const QString accepted = QStringLiteral("n\r\n1\r\n");

        ToolRun result = user({QStringLiteral("add"), QStringLiteral("ivanov"), QStringLiteral("secret1")});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("Пользователь «ivanov» добавлен.\n"));
        QCOMPARE(query(QStringLiteral("ivanov"), QStringLiteral("secret1"), select).out, accepted);

        result = user({QStringLiteral("add"), QStringLiteral("Ivanov"), QStringLiteral("other11")});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QStringLiteral("zeb7-admin: Пользователь «ivanov» уже существует.\n"));

        QCOMPARE(
            user({QStringLiteral("passwd"), QStringLiteral("ivanov"), QStringLiteral("secret2")}).exitCode,
            0);
        result = query(QStringLiteral("ivanov"), QStringLiteral("secret1"), select);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QStringLiteral("zeb7-admin: Неверное имя пользователя или пароль.\n"));
        QCOMPARE(query(QStringLiteral("ivanov"), QStringLiteral("secret2"), select).out, accepted);

        QCOMPARE(user({QStringLiteral("lock"), QStringLiteral("ivanov")}).exitCode, 0);
        result = query(QStringLiteral("ivanov"), QStringLiteral("secret2"), select);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err,
                 QStringLiteral("zeb7-admin: Учётная запись заблокирована. Обратитесь к администратору.\n"));
        QCOMPARE(user({QStringLiteral("unlock"), QStringLiteral("ivanov")}).exitCode, 0);
        QCOMPARE(query(QStringLiteral("ivanov"), QStringLiteral("secret2"), select).out, accepted);

        QCOMPARE(user({QStringLiteral("passwd"), QStringLiteral("ivanov"), QStringLiteral("secret3"),
                       QStringLiteral("--must-change")})
                     .exitCode,
                 0);
        result = query(QStringLiteral("ivanov"), QStringLiteral("secret3"), select);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("Вы должны поменять пароль")), qPrintable(result.err));
        QCOMPARE(result.out, QString());

        result = user({QStringLiteral("lock"), QStringLiteral("nobody")});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QStringLiteral("zeb7-admin: Пользователь «nobody» не найден.\n"));
    }

    void queryPrintsCsv_data() { addEngineRows(); }
    void queryPrintsCsv()
    {
        const QString login = QStringLiteral("kadry");
        const QString password = QStringLiteral("kadry123");
        ToolRun result = query(login, password,
                               QStringLiteral("UPDATE Vakansii SET descr = '', e_n_p = 'Приказ \"12\", п.3', "
                                              "d_n_p = NULL, q_units = 0.5, ZEB_Update = '05.03.2020' "
                                              "WHERE id_vakansiya = 1"));
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("Затронута 1 строка.\n"));

        result =
            query(login, password,
                  QStringLiteral("SELECT id_vakansiya, descr, e_n_p, d_n_p, q_units, zeb_update AS changed "
                                 "FROM Vakansii WHERE id_vakansiya = 1"));
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("id_vakansiya,descr,e_n_p,d_n_p,q_units,changed\r\n"
                                            "1,\"\",\"Приказ \"\"12\"\", п.3\",,0.5,2020-03-05\r\n"));
    }

    void queryCountsRowsInRussian_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("out");
        const std::pair<int, const char*> counts[] = {
            {0, "Затронуто 0 строк."},     {1, "Затронута 1 строка."},    {3, "Затронуто 3 строки."},
            {5, "Затронуто 5 строк."},     {11, "Затронуто 11 строк."},   {14, "Затронуто 14 строк."},
            {21, "Затронута 21 строка."},  {22, "Затронуто 22 строки."},  {101, "Затронута 101 строка."},
            {111, "Затронуто 111 строк."}, {112, "Затронуто 112 строк."}, {124, "Затронуто 124 строки."},
        };
        for (const auto& [rows, out] : counts)
            QTest::addRow("%d", rows) << EngineKind::Sqlite << rows << QString::fromUtf8(out);
        QTest::newRow("pg: 2") << EngineKind::Postgres << 2 << QStringLiteral("Затронуто 2 строки.");
    }
    void queryCountsRowsInRussian()
    {
        QFETCH(int, rows);
        QFETCH(QString, out);
        const ToolRun result =
            query(QStringLiteral("kadry"), QStringLiteral("kadry123"),
                  QStringLiteral("UPDATE Vakansii SET descr = descr WHERE id_vakansiya <= %1").arg(rows));
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, out + QLatin1Char('\n'));
    }

    void queryAsTheSignInAnswers_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        for (const auto& [engine, name] :
             {std::pair{EngineKind::Sqlite, "sqlite"}, std::pair{EngineKind::Postgres, "pg"}}) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s %s", name, label) << engine;
            };
            row("wrong password") << QStringLiteral("kadry") << QStringLiteral("kadry124") << 1
                                  << QStringLiteral("zeb7-admin: Неверное имя пользователя или пароль.\n");
            row("blocked") << QStringLiteral("blocked") << QStringLiteral("blocked1") << 1
                           << QStringLiteral(
                                  "zeb7-admin: Учётная запись заблокирована. Обратитесь к администратору.\n");
            row("expired") << QStringLiteral("petrova") << QStringLiteral("petrova1") << 1
                           << QStringLiteral(
                                  "zeb7-admin: Вы должны поменять пароль Это делается для безопастности и "
                                  "сохранения данных от злоумышлеников\n");
            row("near expiry") << QStringLiteral("sidorov") << QStringLiteral("sidorov1") << 0
                               << QStringLiteral("zeb7-admin: Срок действия пароля скоро истекает; программа "
                                                 "предложит его сменить.\n");
        }
    }
    void queryAsTheSignInAnswers()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        const ToolRun result =
            query(login, password, QStringLiteral("select count(*) AS n from post where id_post = 1"));
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, exitCode == 0 ? QStringLiteral("n\r\n1\r\n") : QString());
    }

    void queryCannotReachSignInTables_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("table");
        const QString users = QStringLiteral("zeb_users");
        QTest::newRow("sqlite: read the digests")
            << EngineKind::Sqlite << QStringLiteral("select login, pass_digest from zeb_users") << users;
        QTest::newRow("sqlite: unlock a user")
            << EngineKind::Sqlite
            << QStringLiteral("update zeb_users set disabled = 0, failed_count = 0 where login = 'blocked'")
            << users;
        QTest::newRow("sqlite: remove the users")
            << EngineKind::Sqlite << QStringLiteral("delete from zeb_users") << users;
        QTest::newRow("sqlite: forget the workstations")
            << EngineKind::Sqlite << QStringLiteral("delete from zeb_workstations")
            << QStringLiteral("zeb_workstations");
    }
    void queryCannotReachSignInTables()
    {
        QFETCH(QString, statement);
        QFETCH(QString, table);
        const ToolRun refused = query(QStringLiteral("kadry"), QStringLiteral("kadry123"), statement);
        QCOMPARE(refused.err,
                 QStringLiteral("zeb7-admin: Нет доступа к таблице «%1»: таблицы входа в программу "
                                "читает и изменяет только администратор.\n")
                     .arg(table));
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.out, QString());

        const QString select = QStringLiteral("select count(*) AS n from post where id_post = 1");
        QCOMPARE(query(QStringLiteral("blocked"), QStringLiteral("blocked1"), select).err,
                 QStringLiteral("zeb7-admin: Учётная запись заблокирована. Обратитесь к администратору.\n"));
        QCOMPARE(query(QStringLiteral("kadry"), QStringLiteral("kadry123"), select).out,
                 QStringLiteral("n\r\n1\r\n"));
    }

    // The settings hold the sign-in account's password, the embedded file every user's password digest.
    void initMakesOwnerOnlyFiles_data() { addEngineRows(); }
    void initMakesOwnerOnlyFiles()
    {
        QFETCH(EngineKind, engine);
        const QString data = Installation::dataDirectory(directory());
        const QFileDevice::Permissions readWrite =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
        QCOMPARE(QFile::permissions(data), readWrite | QFileDevice::ExeOwner | QFileDevice::ExeUser);
        QCOMPARE(QFile::permissions(Installation::settingsPath(directory())), readWrite);
        if (engine == EngineKind::Sqlite)
            QCOMPARE(QFile::permissions(data + QStringLiteral("/zeb.db")), readWrite);
    }

    void badStatementShowsTheEngineText_data() { addEngineRows(); }
    void badStatementShowsTheEngineText()
    {
        const ToolRun result = query(QStringLiteral("admin"), QStringLiteral("admin123"),
                                     QStringLiteral("SELECT * FROM no_such_table"));
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(isOneLine(result.err) && result.err.contains(QStringLiteral("no_such_table")),
                 qPrintable(result.err));
    }

    void reportWritesTheSchedule_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s pdf", name) << engine << QStringLiteral("штатное.pdf") << QByteArray("%PDF-");
            QTest::addRow("%s html", name)
                << engine << QStringLiteral("штатное.html") << QByteArray("<!DOCTYPE html>");
            // A zip archive.
            QTest::addRow("%s xlsx", name)
                << engine << QStringLiteral("штатное.xlsx") << QByteArray("PK\x03\x04");
        }
    }
    void reportWritesTheSchedule()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        const QString file = folder.filePath(name);
        const ToolRun result =
            report({QStringLiteral("--as-of"), QStringLiteral("01.09.2024"), QStringLiteral("--out"), file});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.err, QString());
        const QRegularExpression summary(
            QStringLiteral("^Штатное расписание на 01\\.09\\.2024 записано в «%1»: подразделений [1-9]\\d*, "
                           "строк [1-9]\\d*, штатных единиц [1-9][\\d,]*\\.\n$")
                .arg(QRegularExpression::escape(file)));
        QVERIFY2(summary.match(result.out).hasMatch(), qPrintable(result.out));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(start.size()), start);
    }

    void vacanciesWritesThePage_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s html", name)
                << engine << QStringLiteral("вакансии.html") << QByteArray("<!DOCTYPE html>");
            QTest::addRow("%s xlsx", name) << engine << QStringLiteral("вакансии.xlsx") << QByteArray("PK");
            QTest::addRow("%s pdf", name) << engine << QStringLiteral("вакансии.pdf") << QByteArray("%PDF-");
        }
    }
    void vacanciesWritesThePage()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        const QString file = folder.filePath(name);
        const ToolRun result = vacancies(
            {QStringLiteral("--as-of"), QStringLiteral("01.09.2024"), QStringLiteral("--out"), file});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.err, QString());
        const QRegularExpression summary(
            QStringLiteral("^Вакансии на 01\\.09\\.2024 записаны в «%1»: штатных единиц [1-9][\\d,]*, занято "
                           "[1-9][\\d,]*, вакантно [1-9][\\d,]*, сверх штата [\\d,]+\\.\n$")
                .arg(QRegularExpression::escape(file)));
        QVERIFY2(summary.match(result.out).hasMatch(), qPrintable(result.out));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(start.size()), start);
    }

    void reportKeepsTheUnitsNamed_data() { addEngineRows(); }
    void reportKeepsTheUnitsNamed()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("библиотека.html"));
        const ToolRun result =
            report({QStringLiteral("--as-of"), QStringLiteral("01.09.2024"), QStringLiteral("--out"), file,
                    QStringLiteral("--unit"), QStringLiteral("БИБЛИОТЕКА")});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(written.readAll());
        QStringList units;
        QRegularExpressionMatchIterator unitRows =
            QRegularExpression(QStringLiteral("<tr class=\"unit\"><td>([^<]*)</td>")).globalMatch(html);
        while (unitRows.hasNext())
            units.append(unitRows.next().captured(1));
        QVERIFY(!units.isEmpty());
        for (const QString& unit : units)
            QVERIFY2(unit.startsWith(QStringLiteral("Библиотека")), qPrintable(unit));
        QVERIFY(result.out.contains(QStringLiteral("подразделений %1,").arg(units.size())));
    }

    void badInputGivesOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no command") << QStringList() << 2 << QStringLiteral("не указана команда");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2
                                         << QStringLiteral("неизвестная команда «frobnicate»");
        QTest::newRow("missing folder")
            << QStringList{QStringLiteral("init"), QStringLiteral("--engine"), QStringLiteral("sqlite")} << 2
            << QStringLiteral("не указано: папка установки DIR");
        QTest::newRow("a folder beside --system")
            << QStringList{QStringLiteral("init"), QStringLiteral("--system"), QStringLiteral("%NEW%"),
                           QStringLiteral("--engine"), QStringLiteral("sqlite")}
            << 2 << QStringLiteral("лишний аргумент");
        QTest::newRow("missing engine") << QStringList{QStringLiteral("init"), QStringLiteral("%NEW%")} << 2
                                        << QStringLiteral("--engine");
        QTest::newRow("unknown engine") << QStringList{QStringLiteral("init"), QStringLiteral("%NEW%"),
                                                       QStringLiteral("--engine"), QStringLiteral("oracle")}
                                        << 2 << QStringLiteral("«oracle»");
        QTest::newRow("port not a number")
            << QStringList{QStringLiteral("init"), QStringLiteral("%NEW%"),  QStringLiteral("--engine"),
                           QStringLiteral("pg"),   QStringLiteral("--port"), QStringLiteral("x")}
            << 2 << QStringLiteral("--port");
        QTest::newRow("unknown user action") << QStringList{QStringLiteral("user"), QStringLiteral("rename"),
                                                            QStringLiteral("%NEW%"), QStringLiteral("x")}
                                             << 2 << QStringLiteral("«rename»");
        QTest::newRow("password missing") << QStringList{QStringLiteral("user"), QStringLiteral("add"),
                                                         QStringLiteral("%NEW%"), QStringLiteral("x")}
                                          << 2 << QStringLiteral("PASSWORD");
        const QStringList report{QStringLiteral("report"),     QStringLiteral("%NEW%"),
                                 QStringLiteral("--login"),    QStringLiteral("kadry"),
                                 QStringLiteral("--password"), QStringLiteral("kadry123")};
        QTest::newRow("report without a date")
            << report + QStringList{QStringLiteral("--out"), QStringLiteral("r.pdf")} << 2
            << QStringLiteral("--as-of");
        QTest::newRow("report on no such day")
            << report + QStringList{QStringLiteral("--as-of"), QStringLiteral("31.02.2024"),
                                    QStringLiteral("--out"), QStringLiteral("r.pdf")}
            << 2 << QStringLiteral("«31.02.2024» не распознана: ожидается ДД.ММ.ГГГГ");
        QTest::newRow("report date written otherwise")
            << report + QStringList{QStringLiteral("--as-of"), QStringLiteral("2024-09-01"),
                                    QStringLiteral("--out"), QStringLiteral("r.pdf")}
            << 2 << QStringLiteral("«2024-09-01»");
        QTest::newRow("vacancies to a text file")
            << QStringList{QStringLiteral("vacancies"), QStringLiteral("%NEW%"),
                           QStringLiteral("--login"),   QStringLiteral("kadry"),
                           QStringLiteral("--as-of"),   QStringLiteral("01.09.2024"),
                           QStringLiteral("--out"),     QStringLiteral("v.txt")}
            << 2 << QStringLiteral("Вакансии записываются в файл .pdf, .xlsx, .html или .htm, а не «v.txt»");
        QTest::newRow("report to a text file")
            << report + QStringList{QStringLiteral("--as-of"), QStringLiteral("01.09.2024"),
                                    QStringLiteral("--out"), QStringLiteral("r.txt")}
            << 2 << QStringLiteral("в файл .pdf, .html, .htm или .xlsx, а не «r.txt»");
        QTest::newRow("no settings") << QStringList{QStringLiteral("settings"), QStringLiteral("%NEW%")} << 1
                                     << QStringLiteral("не найден");
        QTest::newRow("damaged settings")
            << QStringList{QStringLiteral("settings"), QStringLiteral("%DAMAGED%")} << 1
            << QStringLiteral("повреждён");
        QTest::newRow("server down at init")
            << QStringList{QStringLiteral("init"), QStringLiteral("%NEW%"),  QStringLiteral("--engine"),
                           QStringLiteral("pg"),   QStringLiteral("--port"), QStringLiteral("%PORT%")}
            << 1 << QString();
        QTest::newRow("server down for users") << QStringList{QStringLiteral("user"), QStringLiteral("lock"),
                                                              QStringLiteral("%DEAD%"), QStringLiteral("x")}
                                               << 1 << QString();
    }
    void badInputGivesOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QTemporaryDir fresh;
        const QString damaged = m_demos.root.filePath(QStringLiteral("damaged"));
        QDir().mkpath(Installation::dataDirectory(damaged));
        QFile file(Installation::settingsPath(damaged));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, 'x'));
        file.close();
        for (QString& word : arguments) {
            word.replace(QLatin1String("%NEW%"), fresh.filePath(QStringLiteral("install")))
                .replace(QLatin1String("%DAMAGED%"), damaged)
                .replace(QLatin1String("%DEAD%"), deadServerFolder())
                .replace(QLatin1String("%PORT%"), QString::number(m_closedPort));
        }
        const ToolRun result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(isOneLine(result.err) && result.err.startsWith(QLatin1String("zeb7-admin: ")),
                 qPrintable(result.err));
        QVERIFY2(result.err.contains(expected), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }

    // No SQL Server runs here: what the tool refuses before or without one.
    void mssqlInitRefusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        const QByteArray password("secret\n");
        QTest::newRow("port after a colon")
            << QStringList{QStringLiteral("--host"), QStringLiteral("srv:1433")} << password << 1
            << QStringLiteral("«srv:1433» указан неверно");
        QTest::newRow("port out of range")
            << QStringList{QStringLiteral("--host"), QStringLiteral("srv,70000")} << password << 1
            << QStringLiteral("указан неверно");
        QTest::newRow("database name") << QStringList{QStringLiteral("--host"), QStringLiteral("srv"),
                                                      QStringLiteral("--database"), QStringLiteral("zeb-1")}
                                       << password << 1 << QStringLiteral("«zeb-1» недопустимо");
        QTest::newRow("server name too long for the settings")
            << QStringList{QStringLiteral("--host"), QStringLiteral("kadry-server\\INSTANCE1")} << password
            << 1 << QStringLiteral("длиннее 20 байт");
        QTest::newRow("demo data") << QStringList{QStringLiteral("--host"), QStringLiteral("127.0.0.1,1"),
                                                  QStringLiteral("--demo")}
                                   << password << 1 << QStringLiteral("без --demo");
        QTest::newRow("server unreachable")
            << QStringList{QStringLiteral("--host"), QStringLiteral("127.0.0.1,1")} << password << 1
            << QStringLiteral("Не удалось подключиться к серверу «127.0.0.1,1» как «sa»");
        QTest::newRow("no administrator password")
            << QStringList{QStringLiteral("--host"), QStringLiteral("srv")} << QByteArray() << 2
            << QStringLiteral("SQLCMDPASSWORD");
    }
    void mssqlInitRefusals()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QTemporaryDir fresh;
        const QString folder = fresh.filePath(QStringLiteral("install"));
        const ToolRun result = run(
            QStringList{QStringLiteral("init"), folder, QStringLiteral("--engine"), QStringLiteral("mssql")} +
                options,
            input);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(isOneLine(result.err) && result.err.startsWith(QLatin1String("zeb7-admin: ")),
                 qPrintable(result.err));
        QVERIFY2(result.err.contains(expected), qPrintable(result.err));
        // The server's words, not the driver's.
        QVERIFY2(!result.err.contains(QLatin1String("[FreeTDS]")), qPrintable(result.err));
        QVERIFY2(!QFileInfo::exists(folder), "a refused installation left its folder");
    }

    // An installation on a SQL Server this machine cannot reach: its settings show, user commands say why
    // not.
    void sqlServerFolderWithoutAServer_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("settings") << QStringList{QStringLiteral("settings"), QStringLiteral("%DIR%")} << 0
                                  << QStringLiteral("User ID: ZEB_signin\nPassword: ********\n"
                                                    "Initial Catalog: ZEB\nData Source: 127.0.0.1,1\n")
                                  << QString();
        QTest::newRow("lock as sa") << QStringList{QStringLiteral("user"), QStringLiteral("lock"),
                                                   QStringLiteral("%DIR%"), QStringLiteral("kadry")}
                                    << 1 << QString()
                                    << QStringLiteral(
                                           "Не удалось подключиться к серверу «127.0.0.1,1» как «sa»");
        QTest::newRow("add as another administrator")
            << QStringList{QStringLiteral("user"),       QStringLiteral("add"),
                           QStringLiteral("%DIR%"),      QStringLiteral("kadry"),
                           QStringLiteral("Kadry2024"),  QStringLiteral("--admin-user"),
                           QStringLiteral("kadry_admin")}
            << 1 << QString() << QStringLiteral("«127.0.0.1,1» как «kadry_admin»");
    }
    void sqlServerFolderWithoutAServer()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        arguments.replaceInStrings(QStringLiteral("%DIR%"), deadSqlServerFolder());
        const ToolRun result = run(arguments, "secret\n");
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.startsWith(out), qPrintable(result.out));
        if (err.isEmpty()) {
            QCOMPARE(result.err, QString());
        } else {
            QVERIFY2(isOneLine(result.err) && result.err.contains(err), qPrintable(result.err));
            QVERIFY2(!result.err.contains(QLatin1String("[FreeTDS]")), qPrintable(result.err));
        }
    }

    void queryOnADeadServerFails()
    {
        const ToolRun result = run({QStringLiteral("query"), deadServerFolder(), QStringLiteral("--login"),
                                    QStringLiteral("admin"), QStringLiteral("--password"),
                                    QStringLiteral("admin123"), QStringLiteral("select 1")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(!result.err.isEmpty());
        QCOMPARE(result.out, QString());
    }

    // A database that cannot be opened is named as the verdict; the login and password were never checked,
    // so no failed attempt is counted against them.
    void unopenedDatabaseIsNotWrongCredentials_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("pg: stopped server")
            << EngineKind::Postgres << QStringLiteral("stopped")
            << QStringLiteral("zeb7-admin: Сервер базы данных «127.0.0.1:%1» "
                              "недоступен: он не запущен или до него нет связи. "
                              "Подождите и повторите; если сервер так и не "
                              "ответит, сообщите администратору. Сообщение "
                              "базы данных: ");
        QTest::newRow("sqlite: missing file")
            << EngineKind::Sqlite << QStringLiteral("missing")
            << QStringLiteral("zeb7-admin: Не удаётся открыть базу данных: файл «%1» не найден.\n");
        QTest::newRow("sqlite: damaged file")
            << EngineKind::Sqlite << QStringLiteral("damaged")
            << QStringLiteral(
                   "zeb7-admin: Не удаётся открыть базу данных: файл «%1» не является базой данных.\n");
    }
    void unopenedDatabaseIsNotWrongCredentials()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, fault);
        QFETCH(QString, verdict);
        const QString folder = m_demos.root.filePath(fault);
        FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(directory()));
        const QString file =
            Installation::dataDirectory(folder) + QStringLiteral("/") + fault + QStringLiteral(".db");
        if (engine == EngineKind::Postgres)
            settings.dataSource = QStringLiteral("pg:127.0.0.1:%1").arg(m_closedPort);
        else
            settings.dataSource = QStringLiteral("sqlite:") + fault + QStringLiteral(".db");
        SettingsFile::write(Installation::settingsPath(folder), settings);
        if (fault == QLatin1String("damaged")) {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(4096, 'x'));
        }
        const QString before = failedAttempts(engine);

        const ToolRun result =
            run({QStringLiteral("query"), folder, QStringLiteral("--login"), QStringLiteral("kadry"),
                 QStringLiteral("--password"), QStringLiteral("wrong"), QStringLiteral("select 1")});

        QCOMPARE(result.exitCode, 1);
        const QString named =
            engine == EngineKind::Postgres ? QString::number(m_closedPort) : QDir::toNativeSeparators(file);
        QVERIFY2(isOneLine(result.err) && result.err.startsWith(verdict.arg(named)), qPrintable(result.err));
        QVERIFY2(!result.err.contains(QStringLiteral("Неверно")), qPrintable(result.err));
        QCOMPARE(result.out, QString());
        QCOMPARE(failedAttempts(engine), before);
    }

    void accountsRepairRestoresTheSignIn_data()
    {
        QTest::addColumn<QString>("breaking");
        QTest::newRow("own password") << QStringLiteral("ALTER ROLE %1 PASSWORD 'broken1'");
        QTest::newRow("own settings")
            << QStringLiteral("ALTER ROLE %1 SET default_transaction_read_only = on");
    }
    void accountsRepairRestoresTheSignIn()
    {
        QFETCH(QString, breaking);
        const QString folder = m_demos.folders.at(EngineKind::Postgres);
        const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(folder));
        const QStringList signIn{QStringLiteral("query"),
                                 folder,
                                 QStringLiteral("--login"),
                                 QStringLiteral("kadry"),
                                 QStringLiteral("--password"),
                                 QStringLiteral("kadry123"),
                                 QStringLiteral("select count(*) AS n from post where id_post = 1")};
        {
            // The settings file's account, which every workstation knows, turned against the others.
            PgEngine signin(ConnectionParams{settings.userId, settings.password, settings.initialCatalog,
                                             settings.dataSource});
            signin.open();
            signin.run(breaking.arg(settings.userId));
        }
        QCOMPARE(run(signIn).exitCode, 1);

        const ToolRun repaired = run({QStringLiteral("accounts"), QStringLiteral("repair"), folder,
                                      QStringLiteral("--admin-user"), m_demos.server->adminUser});
        QVERIFY2(repaired.exitCode == 0, qPrintable(repaired.err));
        QCOMPARE(repaired.out, QStringLiteral("Учётные записи сервера восстановлены: вход с учётной записью "
                                              "файла настроек снова работает.\n"));
        const ToolRun after = run(signIn);
        QVERIFY2(after.exitCode == 0, qPrintable(after.err));
        QCOMPARE(after.out, QStringLiteral("n\r\n1\r\n"));
    }

    void accountsRepairHasNothingToDoOnSqlite()
    {
        const ToolRun result = run(
            {QStringLiteral("accounts"), QStringLiteral("repair"), m_demos.folders.at(EngineKind::Sqlite)});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out,
                 QStringLiteral(
                     "Встроенная база данных не имеет учётных записей сервера: восстанавливать нечего.\n"));
        QCOMPARE(result.err, QString());
    }

    // What an older client could leave in the file: a full-text table over the users, a table and a
    // trigger on the log to collect into, and the log's own trigger gone.
    void accountsRepairClearsWhatAClientLeftOnSqlite()
    {
        const QString folder = m_demos.folders.at(EngineKind::Sqlite);
        {
            SqliteEngine file(Installation::dataDirectory(folder) + QStringLiteral("/zeb.db"),
                              SqliteRole::Administrator);
            file.open();
            file.runScript(QStringLiteral(
                "DROP TRIGGER zeb_log_stamp;"
                "CREATE VIRTUAL TABLE stolen_index USING fts5(login, pass_digest, content='zeb_users');"
                "CREATE TABLE stolen (login TEXT, pass_digest TEXT);"
                "CREATE TRIGGER steal AFTER INSERT ON ZEB_LOG BEGIN INSERT INTO stolen SELECT login, "
                "pass_digest FROM stolen_index; END;"));
        }
        const QStringList repair{QStringLiteral("accounts"), QStringLiteral("repair"), folder};
        const ToolRun repaired = run(repair);
        QVERIFY2(repaired.exitCode == 0, qPrintable(repaired.err));
        QCOMPARE(repaired.out,
                 QStringLiteral("Удалён объект, которого установка не создавала: виртуальная таблица "
                                "«stolen_index».\n"
                                "Удалён объект, которого установка не создавала: триггер «steal» (таблица "
                                "«ZEB_LOG»).\n"
                                "Удалён объект, которого установка не создавала: таблица «stolen».\n"
                                "Создан недостававший объект: триггер «zeb_log_stamp» (таблица «ZEB_LOG»).\n"
                                "Схема встроенной базы данных восстановлена.\n"));
        QCOMPARE(run(repair).out,
                 QStringLiteral(
                     "Встроенная база данных не имеет учётных записей сервера: восстанавливать нечего.\n"));
    }

    void publishRecordsTheBuild_data() { addEngineRows(); }
    void publishRecordsTheBuild()
    {
        QFETCH(EngineKind, engine);
        // An installation of its own: the shared ones would tell the other cases' sign-ins to update.
        const QString folder = m_demos.root.filePath(QStringLiteral("publish-%1").arg(int(engine)));
        const QString database = TestPgServer::uniqueDatabaseName();
        QStringList init{QStringLiteral("init"), folder, QStringLiteral("--engine")};
        QStringList admin;
        if (engine == EngineKind::Postgres) {
            init += {QStringLiteral("pg"),
                     QStringLiteral("--host"),
                     m_demos.server->host,
                     QStringLiteral("--port"),
                     QString::number(m_demos.server->port),
                     QStringLiteral("--database"),
                     database};
            admin = {QStringLiteral("--admin-user"), m_demos.server->adminUser};
        } else {
            init.append(QStringLiteral("sqlite"));
        }
        ToolRun result = run(init + admin);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        const auto dropDatabase = qScopeGuard([&] {
            if (engine == EngineKind::Postgres)
                QVERIFY_THROWS_NO_EXCEPTION(m_demos.server->dropDatabase(database));
        });
        const QString executable = m_demos.root.filePath(QStringLiteral("ZEB 7.exe"));
        QFile file(executable);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("abc");
        file.close();
        const QString digest =
            QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");

        result = run(QStringList{QStringLiteral("publish"), folder, executable} + admin);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("Опубликована сборка 2.\nSHA-256: %1\n").arg(digest));

        result = run(QStringList{QStringLiteral("publish"), folder, executable, QStringLiteral("--build"),
                                 QStringLiteral("2")} +
                     admin);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err,
                 QStringLiteral("zeb7-admin: Сборка 2 не опубликована: номер новой сборки должен быть "
                                "больше опубликованной сборки 2.\n"));
        QCOMPARE(result.out, QString());

        result = run(QStringList{QStringLiteral("publish"), folder, executable, QStringLiteral("--build"),
                                 QStringLiteral("10")} +
                     admin);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("Опубликована сборка 10.\nSHA-256: %1\n").arg(digest));
    }
};

QTEST_GUILESS_MAIN(AdminToolTest)
#include "tst_admintool.moc"
