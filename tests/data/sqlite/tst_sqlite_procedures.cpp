#include "data/DatabaseError.h"
#include "tests/data/sqlite/GetUserOracle.h"
#include "tests/data/sqlite/SqliteTestFile.h"
#include "tests/support/EngineMessage.h"

#include <QDateTime>
#include <QTest>
#include <memory>

using namespace zeb;
using getuseroracle::digest;
using getuseroracle::unscrambled;

namespace {

const QString WrongLogin = QStringLiteral("Неверное имя пользователя или пароль.");
const QString Disabled = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
const QString Locked = QStringLiteral("Учётная запись временно заблокирована после неудачных попыток входа. "
                                      "Повторите попытку через 15 минут.");
const QString SamePassword = QStringLiteral("Новый пароль должен отличаться от прежнего.");

// One row of GET_USER's answer.
struct Answer
{
    QString dbUser;
    QString dbPassword;
    QVariant userName;
    qint64 passState = 0;
    QVariant message;
    qint64 updateState = 0;
    QVariant updateDigest;
    QVariant updateBuild;
};

// A user as the administrator's tool would store it.
struct UserSeed
{
    QString login = QStringLiteral("petrov");
    QString password = QStringLiteral("secret1");
    int changedDaysAgo = 0;
    int passDays = 90;
    int mustChange = 0;
    int disabled = 0;
    int lockedMinutesAhead = 0; // 0: not locked
};

} // namespace

Q_DECLARE_METATYPE(UserSeed)

class TestSqliteProcedures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SqliteTestFile> m_db;

    SqliteEngine& engine() { return m_db->engine(); }

    void seedUser(const UserSeed& seed)
    {
        const QDateTime now = QDateTime::currentDateTime();
        engine().run(
            QStringLiteral(
                "INSERT INTO zeb_users (login, pass_digest, full_name, pass_changed, pass_days, "
                "must_change, failed_count, locked_until, disabled) VALUES (?, ?, ?, ?, ?, ?, 0, ?, ?)"),
            {seed.login, digest(seed.password), QStringLiteral("Петров Пётр"),
             now.addDays(-seed.changedDaysAgo), seed.passDays, seed.mustChange,
             seed.lockedMinutesAhead ? QVariant(now.addSecs(seed.lockedMinutesAhead * 60)) : QVariant(),
             seed.disabled});
    }

    Answer signIn(const QString& login, const QString& password, const QString& newPassword = {},
                  const QString& computer = QStringLiteral("КАДРЫ-1"))
    {
        const QVariant newDigest = newPassword.isEmpty() ? QVariant() : QVariant(digest(newPassword));
        const QString lengthText = QString::number(newPassword.isEmpty() ? 4 : 34);
        ProcedureCall call{QStringLiteral("GET_USER"), {}};
        for (const QVariant& value :
             QVariantList{login, digest(password), newDigest, QStringLiteral("ZEB 7"),
                          QStringLiteral("10.0.0.5"), computer, login, QStringLiteral("0"), lengthText})
            call.arguments.append({QString(), value});
        const StatementResult result = engine().callProcedure(call);
        ResultCursor& row = *result.rows;
        if (row.columns().size() != 8 || !row.next())
            qFatal("GET_USER answered without its row");
        Answer answer{row.toText(0), row.toText(1),  row.value(2), row.toInt64(3),
                      row.value(4),  row.toInt64(5), row.value(6), row.value(7)};
        if (row.next())
            qFatal("GET_USER answered more than one row");
        return answer;
    }

    QVariant userField(const QString& column)
    {
        return m_db->scalar(QStringLiteral("SELECT %1 FROM zeb_users").arg(column));
    }

    static void verifyRefusal(const Answer& answer, const QString& message)
    {
        QCOMPARE(answer.message, QVariant(message));
        QCOMPARE(answer.dbUser, QString());
        QCOMPARE(answer.dbPassword, QString());
        QVERIFY(answer.userName.isNull());
        QCOMPARE(answer.passState, 0);
        QCOMPARE(answer.updateState, 1);
        QVERIFY(answer.updateDigest.isNull());
        QVERIFY(answer.updateBuild.isNull());
    }

    // The number of posts as a client connection with the handed-out account sees it.
    qint64 postsSeenWith(const Answer& answer)
    {
        SqliteEngine client(m_db->path(), SqliteRole::Client, unscrambled(answer.dbUser),
                            unscrambled(answer.dbPassword));
        client.open();
        return SqliteTestFile::scalarOf(client, QStringLiteral("SELECT count(*) FROM post")).toLongLong();
    }

    void seedTwoDepartments()
    {
        engine().runScript(QStringLiteral(
            "INSERT INTO post (id_post, post) VALUES (1, 'Доцент'), (2, 'Профессор');"
            "INSERT INTO Kafedra (id_kafedra, f1) VALUES (1, 'Физики'), (2, 'Химии'), (3, 'Истории');"
            "INSERT INTO Faculty (id_faculty, \"p23-1\") VALUES (5, 'ЕНФ');"
            "INSERT INTO Deduce (id_deduce, deduce) VALUES (1, 'нет'), (2, 'выведена');"
            "INSERT INTO Vakansii (id_kafedra, id_faculty, id_post, q_units, razrad, Num, e_n_p, e_d_p, "
            "id_deduce, "
            "ZEB_User, ZEB_Update, hourFond, descr) VALUES "
            "(1, 5, 1, 1.5, 12, 1, '17-к', '2020-09-01 00:00:00', 1, 'old', '2020-09-01', 10.5, 'с "
            "примечанием'),"
            "(1, 5, 2, 0.5, 15, 2, NULL, NULL, NULL, 'old', '2020-09-01', NULL, NULL),"
            "(1, 5, 2, 1, 15, 3, NULL, NULL, 2, 'old', '2020-09-01', NULL, 'выведена'),"
            "(3, 5, 1, 1, 10, 1, NULL, NULL, 1, 'old', '2020-09-01', NULL, 'другая кафедра');"));
    }

    StatementResult copy(const QVariant& from, const QVariant& to, const QString& login)
    {
        return engine().callProcedure({QStringLiteral("CopyKafedraOnKafedra"),
                                       {{QStringLiteral("id_kafedraFrom"), from},
                                        {QStringLiteral("id_kafedraTo"), to},
                                        {QStringLiteral("zeb_user"), login},
                                        {QStringLiteral("ip"), QStringLiteral("КАДРЫ-1\\10.0.0.5")}}});
    }

private Q_SLOTS:
    void init() { m_db = std::make_unique<SqliteTestFile>(); }

    void cleanup() { m_db.reset(); }

    void getUserSingleAttempt_data()
    {
        QTest::addColumn<UserSeed>("seed");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("passState");

        const UserSeed plain;
        UserSeed cyrillic;
        cyrillic.login = QStringLiteral("Сидоров");
        UserSeed storedWithBlanks;
        storedWithBlanks.login = QStringLiteral("petrov  ");
        UserSeed mustChange;
        mustChange.mustChange = 1;
        UserSeed expired;
        expired.changedDaysAgo = 100;
        UserSeed nearExpiry;
        nearExpiry.changedDaysAgo = 80;
        UserSeed disabled;
        disabled.disabled = 1;
        UserSeed locked;
        locked.lockedMinutesAhead = 10;
        UserSeed lockOver;
        lockOver.lockedMinutesAhead = -1;

        const QString right = plain.password;
        QTest::newRow("accepted") << plain << QStringLiteral("petrov") << right << QString() << 90;
        QTest::newRow("other letter case") << plain << QStringLiteral("PeTrOv") << right << QString() << 90;
        QTest::newRow("cyrillic other case")
            << cyrillic << QStringLiteral("сИДОРОВ") << right << QString() << 90;
        QTest::newRow("typed trailing blanks")
            << plain << QStringLiteral("petrov   ") << right << QString() << 90;
        QTest::newRow("stored trailing blanks")
            << storedWithBlanks << QStringLiteral("Petrov") << right << QString() << 90;
        QTest::newRow("leading blank counts")
            << plain << QStringLiteral(" petrov") << right << WrongLogin << 0;
        QTest::newRow("wrong password")
            << plain << QStringLiteral("petrov") << QStringLiteral("Secret1") << WrongLogin << 0;
        QTest::newRow("unknown login") << plain << QStringLiteral("ivanov") << right << WrongLogin << 0;
        QTest::newRow("disabled") << disabled << QStringLiteral("petrov") << right << Disabled << 0;
        QTest::newRow("locked") << locked << QStringLiteral("petrov") << right << Locked << 0;
        QTest::newRow("lock over") << lockOver << QStringLiteral("petrov") << right << QString() << 90;
        QTest::newRow("must change") << mustChange << QStringLiteral("petrov") << right << QString() << -1;
        QTest::newRow("expired") << expired << QStringLiteral("petrov") << right << QString() << -10;
        QTest::newRow("near expiry") << nearExpiry << QStringLiteral("petrov") << right << QString() << 10;
    }

    void getUserSingleAttempt()
    {
        QFETCH(UserSeed, seed);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(int, passState);
        seedUser(seed);
        const Answer answer = signIn(login, password);
        if (!message.isEmpty()) {
            verifyRefusal(answer, message);
            return;
        }
        QVERIFY2(answer.message.isNull(), qPrintable(answer.message.toString()));
        QCOMPARE(answer.userName, QVariant(QStringLiteral("Петров Пётр")));
        QCOMPARE(answer.passState, passState);
        QCOMPARE(answer.updateState, 1);
        if (passState < 0) {
            // Nothing opens until the password has been changed.
            QCOMPARE(answer.dbUser, QString());
            QCOMPARE(answer.dbPassword, QString());
            return;
        }
        QCOMPARE(unscrambled(answer.dbUser), seed.login);
        QCOMPARE(postsSeenWith(answer), 0);
    }

    void fiveFailuresLockTheAccount()
    {
        seedUser({});
        for (int attempt = 1; attempt <= 4; ++attempt)
            verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("guess")), WrongLogin);
        QCOMPARE(userField(QStringLiteral("failed_count")), QVariant(qint64(4)));
        // Locked, but a guess is not told so.
        verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("guess")), WrongLogin);
        QCOMPARE(userField(QStringLiteral("failed_count")), QVariant(qint64(0)));
        QVERIFY(userField(QStringLiteral("locked_until")).toDateTime() > QDateTime::currentDateTime());
        verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("secret1")), Locked);
    }

    void successResetsFailures()
    {
        seedUser({});
        for (int attempt = 1; attempt <= 4; ++attempt)
            signIn(QStringLiteral("petrov"), QStringLiteral("guess"));
        QVERIFY(signIn(QStringLiteral("petrov"), QStringLiteral("secret1")).message.isNull());
        QCOMPARE(userField(QStringLiteral("failed_count")), QVariant(qint64(0)));
        verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("guess")), WrongLogin);
    }

    void passwordChange()
    {
        UserSeed seed;
        seed.mustChange = 1;
        seed.changedDaysAgo = 200;
        seedUser(seed);
        const Answer changed =
            signIn(QStringLiteral("PETROV"), QStringLiteral("secret1"), QStringLiteral("better2"));
        QVERIFY(changed.message.isNull());
        QCOMPARE(changed.passState, 90);
        QCOMPARE(unscrambled(changed.dbUser), QStringLiteral("petrov"));
        QCOMPARE(postsSeenWith(changed), 0);
        QCOMPARE(userField(QStringLiteral("pass_digest")), QVariant(digest(QStringLiteral("better2"))));
        QCOMPARE(userField(QStringLiteral("must_change")), QVariant(qint64(0)));

        verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("secret1")), WrongLogin);
        const Answer again = signIn(QStringLiteral("petrov"), QStringLiteral("better2"));
        QVERIFY(again.message.isNull());
        QCOMPARE(again.passState, 90);
    }

    void passwordChangeRefusals_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("message");
        QTest::newRow("same password")
            << QStringLiteral("secret1") << QStringLiteral("secret1") << SamePassword;
        QTest::newRow("wrong current password")
            << QStringLiteral("guess") << QStringLiteral("better2") << WrongLogin;
    }

    void passwordChangeRefusals()
    {
        QFETCH(QString, password);
        QFETCH(QString, newPassword);
        QFETCH(QString, message);
        seedUser({});
        verifyRefusal(signIn(QStringLiteral("petrov"), password, newPassword), message);
        QCOMPARE(userField(QStringLiteral("pass_digest")), QVariant(digest(QStringLiteral("secret1"))));
    }

    void updateIndicator()
    {
        seedUser({});
        QCOMPARE(signIn(QStringLiteral("petrov"), QStringLiteral("secret1")).updateState, 1);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT build || ' ' || last_ip || ' ' || last_login FROM "
                                             "zeb_workstations WHERE computer = ? AND program = 'ZEB 7'"),
                              {QStringLiteral("КАДРЫ-1")}),
                 QVariant(QStringLiteral("1 10.0.0.5 petrov")));

        const QString published = QString(64, QLatin1Char('a'));
        engine().run(QStringLiteral("UPDATE zeb_program SET build = 2, digest = ?"), {published});
        // A refused sign-in does not consume the update.
        verifyRefusal(signIn(QStringLiteral("petrov"), QStringLiteral("guess")), WrongLogin);
        const Answer behind = signIn(QStringLiteral("petrov"), QStringLiteral("secret1"));
        QCOMPARE(behind.updateState, 2);
        QCOMPARE(behind.updateDigest, QVariant(published));
        QCOMPARE(behind.updateBuild.toLongLong(), 2);
        const Answer current = signIn(QStringLiteral("petrov"), QStringLiteral("secret1"));
        QCOMPARE(current.updateState, 1);
        QVERIFY(current.updateDigest.isNull());
        QVERIFY(current.updateBuild.isNull());
        QCOMPARE(signIn(QStringLiteral("petrov"), QStringLiteral("secret1"), {}, QStringLiteral("НОВЫЙ"))
                     .updateState,
                 1);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM zeb_workstations WHERE build = 2")),
                 QVariant(qint64(2)));
    }

    void procedureErrors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("positional");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown") << QStringLiteral("NO_SUCH") << 0
                                 << QStringLiteral("Could not find stored procedure 'NO_SUCH'.");
        QTest::newRow("too few")
            << QStringLiteral("GET_USER") << 8
            << QStringLiteral("Процедура GET_USER ожидает параметр @new_len, который не был указан.");
        QTest::newRow("too many")
            << QStringLiteral("get_user") << 10
            << QStringLiteral("Процедуре GET_USER передано слишком много аргументов: 10, ожидается 9.");
    }

    void procedureErrors()
    {
        QFETCH(QString, name);
        QFETCH(int, positional);
        QFETCH(QString, message);
        ProcedureCall call{name, {}};
        for (int i = 0; i < positional; ++i)
            call.arguments.append({QString(), QStringLiteral("x")});
        try {
            engine().callProcedure(call);
            QFAIL("no error");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(), message);
        }
    }

    void copyArgumentNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown name")
            << QStringList{QStringLiteral("id_kafedraFrom"), QStringLiteral("id_kafedraTo"),
                           QStringLiteral("zeb_user"), QStringLiteral("address")}
            << QStringLiteral("@address не является параметром процедуры CopyKafedraOnKafedra.");
        QTest::newRow("twice") << QStringList{QStringLiteral("id_kafedraFrom"),
                                              QStringLiteral("ID_KAFEDRAFROM"), QStringLiteral("zeb_user"),
                                              QStringLiteral("ip")}
                               << QStringLiteral(
                                      "Параметр @id_kafedraFrom процедуры CopyKafedraOnKafedra указан более "
                                      "одного раза.");
        QTest::newRow("missing") << QStringList{QStringLiteral("id_kafedraFrom"),
                                                QStringLiteral("id_kafedraTo"), QStringLiteral("zeb_user")}
                                 << QStringLiteral(
                                        "Процедура CopyKafedraOnKafedra ожидает параметр @ip, который не "
                                        "был указан.");
    }

    void copyArgumentNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, message);
        seedTwoDepartments();
        ProcedureCall call{QStringLiteral("copykafedraonkafedra"), {}};
        for (const QString& name : names)
            call.arguments.append({name, qint64(1)});
        try {
            engine().callProcedure(call);
            QFAIL("no error");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(), message);
        }
    }

    void copyKafedraCopiesLinesInUse()
    {
        seedTwoDepartments();
        const QString login = QStringLiteral("очень_длинный_логин_кадровика"); // longer than ZEB_User
        copy(qint64(1), qint64(2), login);

        const StatementResult result =
            engine().run(QStringLiteral("SELECT id_faculty, id_post, q_units, razrad, Num, e_n_p, e_d_p, "
                                        "id_deduce, ZEB_User, ZEB_Update, "
                                        "hourFond, descr FROM Vakansii WHERE id_kafedra = 2 ORDER BY Num"));
        ResultCursor& rows = *result.rows;
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0), QVariant(qint64(5)));
        QCOMPARE(rows.value(1), QVariant(qint64(1)));
        QCOMPARE(rows.value(2), QVariant(1.5));
        QCOMPARE(rows.toInt64(3), 12);
        QCOMPARE(rows.toInt64(4), 1);
        QCOMPARE(rows.value(5), QVariant(QStringLiteral("17-к")));
        QCOMPARE(rows.value(6), QVariant(QDateTime(QDate(2020, 9, 1), QTime(0, 0))));
        QCOMPARE(rows.value(7), QVariant(qint64(1)));
        QCOMPARE(rows.value(8), QVariant(login.left(20)));
        QCOMPARE(rows.value(9), QVariant(QDate::currentDate()));
        QCOMPARE(rows.value(10), QVariant(10.5));
        QCOMPARE(rows.value(11), QVariant(QStringLiteral("с примечанием")));
        QVERIFY(rows.next());
        QCOMPARE(rows.toInt64(4), 2);
        QVERIFY(rows.isNull(7)); // a line without a withdrawal kind is copied too
        QVERIFY(!rows.next());
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM Vakansii WHERE id_kafedra = 1")),
                 QVariant(qint64(3)));

        const StatementResult log = engine().run(
            QStringLiteral("SELECT \"table\", row_id, descr, ZEB_User, comp, logged FROM ZEB_LOG"));
        QVERIFY(log.rows->next());
        QCOMPARE(log.rows->toText(0), QStringLiteral("kafedra"));
        QCOMPARE(log.rows->toInt64(1), 2);
        QCOMPARE(log.rows->toText(2), QStringLiteral("Скопированы строки кафедры 1 на кафедру 2: 2"));
        QCOMPARE(log.rows->toText(3), login);
        QCOMPARE(log.rows->toText(4), QStringLiteral("КАДРЫ-1\\10.0.0.5"));
        QCOMPARE(log.rows->value(5).toDate(), QDate::currentDate());
        QVERIFY(!log.rows->next());
    }

    void copyKafedraMissingDepartment_data()
    {
        QTest::addColumn<QVariant>("from");
        QTest::addColumn<QVariant>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("source") << QVariant(qint64(99)) << QVariant(qint64(2))
                                << QStringLiteral("Кафедра с кодом 99 не найдена.");
        QTest::newRow("target") << QVariant(qint64(1)) << QVariant(qint64(77))
                                << QStringLiteral("Кафедра с кодом 77 не найдена.");
    }

    void copyKafedraMissingDepartment()
    {
        QFETCH(QVariant, from);
        QFETCH(QVariant, to);
        QFETCH(QString, message);
        seedTwoDepartments();
        try {
            copy(from, to, QStringLiteral("petrov"));
            QFAIL("no error");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM Vakansii")), QVariant(qint64(4)));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM ZEB_LOG")), QVariant(qint64(0)));
    }

    void procedureInsideTransactionIsRolledBackWithIt()
    {
        seedTwoDepartments();
        engine().beginTransaction();
        copy(qint64(1), qint64(2), QStringLiteral("petrov"));
        engine().rollback();
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM Vakansii WHERE id_kafedra = 2")),
                 QVariant(qint64(0)));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM ZEB_LOG")), QVariant(qint64(0)));
    }
};

QTEST_GUILESS_MAIN(TestSqliteProcedures)
#include "tst_sqlite_procedures.moc"
