#include "ConnectionString.h"
#include "EngineRows.h"
#include "Installation.h"
#include "SettingsFile.h"
#include "TestPgServer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace zeb;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

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
    std::optional<TestPgServer> m_server;
    QTemporaryDir m_root;
    std::map<EngineKind, QString> m_installations;
    QString m_pgDatabase;
    int m_closedPort = 0;

    ToolRun run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (m_server)
            environment.insert(QStringLiteral("PGPASSWORD"), m_server->adminPassword);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZEB_ADMIN_TOOL), arguments);
        process.waitForFinished(-1);
        ToolRun result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString directory()
    {
        QFETCH(EngineKind, engine);
        return m_installations.at(engine);
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

    ToolRun user(const QStringList& arguments)
    {
        QStringList words{QStringLiteral("user"), arguments.at(0), directory()};
        words += arguments.mid(1);
        if (m_server)
            words += {QStringLiteral("--admin-user"), m_server->adminUser};
        return run(words);
    }

    // A folder whose settings name a PostgreSQL server where none listens.
    QString deadServerFolder()
    {
        const QString folder = m_root.filePath(QStringLiteral("dead"));
        TFirstConnectInfo settings{QStringLiteral("zeb_signin"), QStringLiteral("secret"),
                                   QStringLiteral("zeb"),
                                   QStringLiteral("pg:127.0.0.1:%1").arg(m_closedPort)};
        SettingsFile::write(Installation::settingsPath(folder), settings);
        return folder;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_server = TestPgServer::fromEnvironment());
        m_closedPort = closedPort();
        m_pgDatabase = TestPgServer::uniqueDatabaseName();

        const QString embedded = m_root.filePath(QStringLiteral("sqlite"));
        ToolRun init = run({QStringLiteral("init"), embedded, QStringLiteral("--engine"),
                            QStringLiteral("sqlite"), QStringLiteral("--demo")});
        QVERIFY2(init.exitCode == 0, qPrintable(init.err));
        m_installations[EngineKind::Sqlite] = embedded;

        const QString server = m_root.filePath(QStringLiteral("pg"));
        init = run({QStringLiteral("init"), server, QStringLiteral("--engine"), QStringLiteral("pg"),
                    QStringLiteral("--host"), m_server->host, QStringLiteral("--port"),
                    QString::number(m_server->port), QStringLiteral("--database"), m_pgDatabase,
                    QStringLiteral("--admin-user"), m_server->adminUser, QStringLiteral("--demo")});
        QVERIFY2(init.exitCode == 0, qPrintable(init.err));
        m_installations[EngineKind::Postgres] = server;
    }

    void cleanupTestCase()
    {
        if (m_server)
            QVERIFY_THROWS_NO_EXCEPTION(m_server->dropDatabase(m_pgDatabase));
    }

    void settingsShowsWhatTheClientReads_data() { addEngineRows(); }
    void settingsShowsWhatTheClientReads()
    {
        QFETCH(EngineKind, engine);
        const TFirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(directory()));
        const QString database = engine == EngineKind::Sqlite ? QStringLiteral("zeb") : m_pgDatabase;
        QCOMPARE(settings.userId, database + QStringLiteral("_signin"));
        QCOMPARE(settings.initialCatalog, database);
        QCOMPARE(settings.dataSource,
                 engine == EngineKind::Sqlite ? QStringLiteral("sqlite:zeb.db") : m_server->dataSource());

        const ToolRun shown = run({QStringLiteral("settings"), directory()});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, QStringLiteral("User ID: %1\nPassword: %2\nInitial Catalog: %3\nData Source: %4\n"
                                           "Connection string: %5\n")
                                .arg(settings.userId, settings.password, settings.initialCatalog,
                                     settings.dataSource, buildConnectionString(settings)));
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
        QCOMPARE(result.out, QStringLiteral("1 rows affected\n"));

        result =
            query(login, password,
                  QStringLiteral("SELECT id_vakansiya, descr, e_n_p, d_n_p, q_units, zeb_update AS changed "
                                 "FROM Vakansii WHERE id_vakansiya = 1"));
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.out, QStringLiteral("id_vakansiya,descr,e_n_p,d_n_p,q_units,changed\r\n"
                                            "1,\"\",\"Приказ \"\"12\"\", п.3\",,0.5,2020-03-05\r\n"));
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
            QRegularExpression(QStringLiteral("<tr class=\"unit\"><td colspan=\"8\">([^<]*)</td>"))
                .globalMatch(html);
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
        QTest::newRow("report to a text file")
            << report + QStringList{QStringLiteral("--as-of"), QStringLiteral("01.09.2024"),
                                    QStringLiteral("--out"), QStringLiteral("r.txt")}
            << 2 << QStringLiteral("в файл .pdf, .html или .htm, а не «r.txt»");
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
        const QString damaged = m_root.filePath(QStringLiteral("damaged"));
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

    void queryOnADeadServerFails()
    {
        const ToolRun result = run({QStringLiteral("query"), deadServerFolder(), QStringLiteral("--login"),
                                    QStringLiteral("admin"), QStringLiteral("--password"),
                                    QStringLiteral("admin123"), QStringLiteral("select 1")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(!result.err.isEmpty());
        QCOMPARE(result.out, QString());
    }
};

QTEST_GUILESS_MAIN(AdminToolTest)
#include "tst_admintool.moc"
