#include "data/DatabaseError.h"
#include "tests/data/sqlite/SqliteTestFile.h"

#include <QDateTime>
#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(zeb::FieldType)

class TestSqliteEngine : public QObject
{
    Q_OBJECT

private:
    static void seedDepartmentWithLine(SqliteTestFile& db)
    {
        db.engine().runScript(
            QStringLiteral("INSERT INTO post (id_post, post) VALUES (1, 'Доцент');"
                           "INSERT INTO Kafedra (id_kafedra, f1) VALUES (2, 'Кафедра физики');"
                           "INSERT INTO Faculty (id_faculty, \"p23-1\") VALUES (3, 'ФМФ');"
                           "INSERT INTO Deduce (id_deduce, deduce) VALUES (1, 'нет'), (2, 'выведена');"
                           "INSERT INTO Vakansii (id_vakansiya, id_post, id_kafedra, id_faculty) "
                           "VALUES (10, 1, 2, 3);"));
    }

private Q_SLOTS:
    void runReturnsRowsInOrder()
    {
        SqliteTestFile db;
        db.engine().runScript(
            QStringLiteral("INSERT INTO post (post) VALUES ('Профессор'), ('Доцент'), ('Ассистент');"));
        const StatementResult result =
            db.engine().run(QStringLiteral("SELECT id_post, post FROM post ORDER BY id_post"));
        QVERIFY(result.rows);
        ResultCursor& rows = *result.rows;
        QCOMPARE(rows.columns().size(), 2);
        QVERIFY(rows.isNull(0)); // no current row before next()
        QStringList posts;
        QList<qint64> keys;
        while (rows.next()) {
            keys.append(rows.toInt64(0));
            posts.append(rows.toText(1));
        }
        QCOMPARE(keys, (QList<qint64>{1, 2, 3}));
        QCOMPARE(posts, (QStringList{QStringLiteral("Профессор"), QStringLiteral("Доцент"),
                                     QStringLiteral("Ассистент")}));
        QVERIFY(!rows.next());
        QVERIFY(!rows.value(0).isValid());
    }

    void runWithoutRowsCountsChanges_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("changed");
        QTest::newRow("insert") << QStringLiteral("INSERT INTO post (post) VALUES ('Лаборант')") << qint64(1);
        QTest::newRow("update two") << QStringLiteral("UPDATE post SET post = post || '!' WHERE id_post <= 2")
                                    << qint64(2);
        QTest::newRow("update none") << QStringLiteral("UPDATE post SET post = 'x' WHERE id_post = 99")
                                     << qint64(0);
        QTest::newRow("delete") << QStringLiteral("DELETE FROM post") << qint64(3);
        QTest::newRow("ddl after a change") << QStringLiteral("CREATE TABLE extra (a INT)") << qint64(0);
    }

    void runWithoutRowsCountsChanges()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, changed);
        SqliteTestFile db;
        db.engine().runScript(QStringLiteral("INSERT INTO post (post) VALUES ('a'), ('b'), ('c');"));
        const StatementResult result = db.engine().run(sql);
        QVERIFY(!result.rows);
        QCOMPARE(result.rowsAffected, changed);
    }

    void parameterRoundTrip_data()
    {
        QTest::addColumn<QString>("declaredType");
        QTest::addColumn<QVariant>("param");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("stored");

        const QDate date(2024, 3, 7);
        const QDateTime dateTime(date, QTime(9, 5, 30));
        QTest::newRow("int") << QStringLiteral("INT") << QVariant(42) << QVariant(qint64(42))
                             << QStringLiteral("42");
        QTest::newRow("int64") << QStringLiteral("INT") << QVariant(qint64(-9000000000LL))
                               << QVariant(qint64(-9000000000LL)) << QStringLiteral("-9000000000");
        QTest::newRow("bool") << QStringLiteral("INT") << QVariant(true) << QVariant(qint64(1))
                              << QStringLiteral("1");
        QTest::newRow("tinyint") << QStringLiteral("TINYINT") << QVariant(2) << QVariant(qint64(2))
                                 << QStringLiteral("2");
        QTest::newRow("float") << QStringLiteral("FLOAT") << QVariant(0.25) << QVariant(0.25)
                               << QStringLiteral("0.25");
        QTest::newRow("numeric") << QStringLiteral("NUMERIC(18,0)") << QVariant(12) << QVariant(qint64(12))
                                 << QStringLiteral("12");
        QTest::newRow("cyrillic") << QStringLiteral("VARCHAR(30)") << QVariant(QStringLiteral("Ёлкин «Щ»"))
                                  << QVariant(QStringLiteral("Ёлкин «Щ»")) << QStringLiteral("Ёлкин «Щ»");
        QTest::newRow("empty text is not null")
            << QStringLiteral("VARCHAR(30)") << QVariant(QStringLiteral("")) << QVariant(QStringLiteral(""))
            << QStringLiteral("");
        QTest::newRow("memo") << QStringLiteral("TEXT") << QVariant(QStringLiteral("строка\nвторая"))
                              << QVariant(QStringLiteral("строка\nвторая"))
                              << QStringLiteral("строка\nвторая");
        QTest::newRow("null") << QStringLiteral("VARCHAR(30)") << QVariant() << QVariant() << QString();
        QTest::newRow("typed null") << QStringLiteral("INT") << QVariant(QMetaType::fromType<int>())
                                    << QVariant() << QString();
        QTest::newRow("date") << QStringLiteral("DATE") << QVariant(date) << QVariant(date)
                              << QStringLiteral("2024-03-07");
        QTest::newRow("datetime") << QStringLiteral("DATETIME") << QVariant(dateTime) << QVariant(dateTime)
                                  << QStringLiteral("2024-03-07 09:05:30");
        QTest::newRow("datetime drops milliseconds")
            << QStringLiteral("DATETIME") << QVariant(dateTime.addMSecs(250)) << QVariant(dateTime)
            << QStringLiteral("2024-03-07 09:05:30");
        QTest::newRow("date into datetime")
            << QStringLiteral("DATETIME") << QVariant(date) << QVariant(QDateTime(date, QTime(0, 0)))
            << QStringLiteral("2024-03-07");
        QTest::newRow("blob") << QStringLiteral("BLOB") << QVariant(QByteArray("\x00\xff\x01", 3))
                              << QVariant(QByteArray("\x00\xff\x01", 3)) << QString();
    }

    void parameterRoundTrip()
    {
        QFETCH(QString, declaredType);
        QFETCH(QVariant, param);
        QFETCH(QVariant, expected);
        QFETCH(QString, stored);
        SqliteTestFile db;
        db.engine().run(QStringLiteral("CREATE TABLE t (v %1)").arg(declaredType));
        QCOMPARE(db.engine().run(QStringLiteral("INSERT INTO t (v) VALUES (?)"), {param}).rowsAffected, 1);

        const StatementResult result = db.engine().run(QStringLiteral("SELECT v, CAST(v AS TEXT) FROM t"));
        QVERIFY(result.rows->next());
        const QVariant value = result.rows->value(0);
        QCOMPARE(value.typeId(), expected.typeId());
        QCOMPARE(value, expected);
        QCOMPARE(result.rows->isNull(0), expected.isNull());
        if (value.typeId() != QMetaType::QByteArray)
            QCOMPARE(result.rows->toText(1), stored);
    }

    void parameterSelectsRow()
    {
        SqliteTestFile db;
        db.engine().runScript(QStringLiteral("INSERT INTO post (post) VALUES ('Профессор'), ('Доцент');"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT id_post FROM post WHERE post = ? AND id_post > ?"),
                           {QStringLiteral("Доцент"), 0}),
                 QVariant(qint64(2)));
    }

    void storedDateTextIsTolerated_data()
    {
        QTest::addColumn<QString>("declaredType");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QVariant>("expected");
        const QDate date(2023, 12, 31);
        QTest::newRow("date only") << QStringLiteral("DATETIME") << QStringLiteral("2023-12-31")
                                   << QVariant(QDateTime(date, QTime(0, 0)));
        QTest::newRow("T separator") << QStringLiteral("DATETIME") << QStringLiteral("2023-12-31T23:59:58")
                                     << QVariant(QDateTime(date, QTime(23, 59, 58)));
        QTest::newRow("fraction") << QStringLiteral("DATETIME") << QStringLiteral("2023-12-31 08:00:01.25")
                                  << QVariant(QDateTime(date, QTime(8, 0, 1, 250)));
        QTest::newRow("no seconds") << QStringLiteral("TIMESTAMP") << QStringLiteral("2023-12-31 08:30")
                                    << QVariant(QDateTime(date, QTime(8, 30)));
        QTest::newRow("date column drops time")
            << QStringLiteral("DATE") << QStringLiteral("2023-12-31 08:30:00") << QVariant(date);
        QTest::newRow("not a date stays text") << QStringLiteral("DATE") << QStringLiteral("31.12.2023")
                                               << QVariant(QStringLiteral("31.12.2023"));
        QTest::newRow("impossible day stays text")
            << QStringLiteral("DATETIME") << QStringLiteral("2023-02-30")
            << QVariant(QStringLiteral("2023-02-30"));
    }

    void storedDateTextIsTolerated()
    {
        QFETCH(QString, declaredType);
        QFETCH(QString, stored);
        QFETCH(QVariant, expected);
        SqliteTestFile db;
        db.engine().run(QStringLiteral("CREATE TABLE t (v %1)").arg(declaredType));
        db.engine().run(QStringLiteral("INSERT INTO t (v) VALUES (?)"), {stored});
        const QVariant value = db.scalar(QStringLiteral("SELECT v FROM t"));
        QCOMPARE(value.typeId(), expected.typeId());
        QCOMPARE(value, expected);
    }

    void columnTypesFollowDeclaredTypes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<int>("size");
        const QString lines = QStringLiteral("Vakansii");
        QTest::newRow("identity") << lines << QStringLiteral("id_vakansiya") << FieldType::Integer << 0;
        QTest::newRow("tinyint") << lines << QStringLiteral("id_enter") << FieldType::Integer << 0;
        QTest::newRow("float") << lines << QStringLiteral("q_units") << FieldType::Float << 0;
        QTest::newRow("numeric") << lines << QStringLiteral("razrad") << FieldType::Decimal << 0;
        QTest::newRow("varchar") << lines << QStringLiteral("e_n_p") << FieldType::Text << 30;
        QTest::newRow("datetime") << lines << QStringLiteral("e_d_p") << FieldType::DateTime << 0;
        QTest::newRow("date") << lines << QStringLiteral("ZEB_Update") << FieldType::Date << 0;
        QTest::newRow("long text") << lines << QStringLiteral("descr") << FieldType::Memo << 0;
        QTest::newRow("quoted name") << QStringLiteral("Faculty") << QStringLiteral("p23-1")
                                     << FieldType::Text << 50;
        QTest::newRow("char") << QStringLiteral("zeb_users") << QStringLiteral("pass_digest")
                              << FieldType::Text << 32;
    }

    void columnTypesFollowDeclaredTypes()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(FieldType, type);
        QFETCH(int, size);
        SqliteTestFile db;
        // An empty result still describes its columns.
        const StatementResult result = db.engine().run(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table));
        const ColumnList& columns = result.rows->columns();
        const auto found = std::find_if(columns.begin(), columns.end(),
                                        [&](const ColumnInfo& info) { return info.name == column; });
        QVERIFY(found != columns.end());
        QCOMPARE(found->type, type);
        QCOMPARE(found->size, size);
        QVERIFY(!result.rows->next());
    }

    void linesHaveTheClientsColumnOrder()
    {
        SqliteTestFile db;
        const StatementResult result = db.engine().run(QStringLiteral("SELECT * FROM Vakansii"));
        QStringList names;
        for (const ColumnInfo& column : result.rows->columns())
            names.append(column.name);
        QCOMPARE(
            names.join(QLatin1Char(',')),
            QStringLiteral("id_vakansiya,id_otdel_1,id_otdel_11,id_faculty,id_kafedra,id_post,q_units,razrad,"
                           "Num,id_otdel_2,id_enter,e_n_p,e_d_p,id_deduce,d_n_p,d_d_p,id_structure,id_bk,"
                           "ZEB_User,ZEB_Update,hourFond,descr"));
    }

    void expressionColumnsWithoutTable()
    {
        SqliteTestFile db;
        {
            const StatementResult empty = db.engine().run(
                QStringLiteral("select null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2 LIMIT 0"));
            const ColumnList& columns = empty.rows->columns();
            QCOMPARE(columns.size(), 3);
            QCOMPARE(columns.at(0).name, QStringLiteral("otdel_1"));
            QCOMPARE(columns.at(2).name, QStringLiteral("id_otdel_2"));
            QCOMPARE(columns.at(0).type, FieldType::Unknown);
            QVERIFY(!empty.rows->next());
        }
        const StatementResult result =
            db.engine().run(QStringLiteral("SELECT 1 + 1 AS n, 'ф' AS t, 1.5 AS f, NULL AS z, x'00' AS b"));
        ResultCursor& row = *result.rows;
        QVERIFY(row.next());
        QCOMPARE(row.value(0), QVariant(qint64(2)));
        QCOMPARE(row.value(1), QVariant(QStringLiteral("ф")));
        QCOMPARE(row.value(2), QVariant(1.5));
        QVERIFY(!row.value(3).isValid());
        QVERIFY(row.isNull(3));
        QCOMPARE(row.value(4), QVariant(QByteArray(1, '\0')));
        QCOMPARE(row.toText(3), QString());
        QCOMPARE(row.toInt64(3), 0);
        QCOMPARE(row.toDouble(1), 0.0);
        QVERIFY(!row.next());
    }

    void engineErrorReachesCaller_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing table")
            << QStringLiteral("SELECT * FROM nosuch") << QStringLiteral("no such table: nosuch");
        QTest::newRow("syntax") << QStringLiteral("SELEC 1")
                                << QStringLiteral("near \"SELEC\": syntax error");
        QTest::newRow("not null") << QStringLiteral("INSERT INTO Vakansii (Num) VALUES (1)")
                                  << QStringLiteral("NOT NULL constraint failed: Vakansii.id_post");
        QTest::newRow("second statement")
            << QStringLiteral("SELECT 1; DELETE FROM post")
            << QStringLiteral("Передано несколько операторов SQL, ожидался один");
    }

    void engineErrorReachesCaller()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        SqliteTestFile db;
        try {
            db.engine().run(sql);
            QFAIL("no error");
        } catch (const DatabaseError& error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
    }

    void trailingSeparatorsAndCommentsAreAccepted()
    {
        SqliteTestFile db;
        QCOMPARE(db.scalar(QStringLiteral("SELECT 7 ;  ;\n")), QVariant(qint64(7)));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 8; -- note")), QVariant(qint64(8)));
    }

    void parameterCountMustMatch()
    {
        SqliteTestFile db;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.engine().run(QStringLiteral("SELECT ?, ?"), {1}));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.engine().run(QStringLiteral("SELECT 1"), {1}));
    }

    void missingFileIsNotCreated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("absent.db"));
        SqliteEngine engine(path, SqliteRole::Client, QStringLiteral("zeb_signin"), QStringLiteral("x"));
        try {
            engine.open();
            QFAIL("opened a missing file");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Не удаётся открыть базу данных: файл «%1» не найден.").arg(path));
        }
        QVERIFY(!engine.isOpen());
        QVERIFY(!QFile::exists(path));
    }

    void fileThatIsNotADatabaseFailsAtOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zeb.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        SqliteEngine engine(path, SqliteRole::Client, QStringLiteral("zeb_signin"), QStringLiteral("x"));
        try {
            engine.open();
            QFAIL("opened a damaged file");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Не удаётся открыть базу данных: файл «%1» не является базой данных.")
                         .arg(path));
        }
        QVERIFY(!engine.isOpen());
    }

    void existingFileOpensWithForeignKeys()
    {
        SqliteTestFile db;
        db.engine().close();
        SqliteEngine again(db.path(), SqliteRole::Administrator);
        again.open();
        QCOMPARE(SqliteTestFile::scalarOf(again, QStringLiteral("PRAGMA foreign_keys")), QVariant(qint64(1)));
        QCOMPARE(SqliteTestFile::scalarOf(again,
                                          QStringLiteral("SELECT build FROM zeb_program WHERE program = ?"),
                                          {QStringLiteral("ZEB 7")}),
                 QVariant(qint64(1)));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("survivor");
        QTest::newRow("line with an employee")
            << QStringLiteral("DELETE FROM Vakansii WHERE id_vakansiya = 10")
            << QStringLiteral("SELECT count(*) FROM Vakansii");
        QTest::newRow("department with a line") << QStringLiteral("DELETE FROM Kafedra WHERE id_kafedra = 2")
                                                << QStringLiteral("SELECT count(*) FROM Kafedra");
    }

    void refusals()
    {
        QFETCH(QString, sql);
        QFETCH(QString, survivor);
        SqliteTestFile db;
        seedDepartmentWithLine(db);
        db.engine().run(QStringLiteral("INSERT INTO Working (id_vakansiya, id_leave) VALUES (10, 4)"));
        try {
            db.engine().run(sql);
            QFAIL("deleted");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.engineText(), QStringLiteral("FOREIGN KEY constraint failed"));
            QCOMPARE(error.fault(), DatabaseFault::StillReferenced);
        }
        QCOMPARE(db.scalar(survivor), QVariant(qint64(1)));
    }

    void placeholderLineIsNotWithdrawn()
    {
        SqliteTestFile db;
        seedDepartmentWithLine(db);
        db.engine().run(
            QStringLiteral("Insert into Vakansii (id_post, id_kafedra,id_faculty) values(1,2,3)"));
        QCOMPARE(db.scalar(QStringLiteral(
                     "SELECT id_deduce FROM Vakansii WHERE id_vakansiya = last_insert_rowid()")),
                 QVariant(qint64(1)));
    }

    void identityIsNeverReused()
    {
        SqliteTestFile db;
        db.engine().run(QStringLiteral("INSERT INTO post (post) VALUES ('a')"));
        db.engine().run(QStringLiteral("INSERT INTO post (post) VALUES ('b')"));
        db.engine().run(QStringLiteral("DELETE FROM post WHERE id_post = 2"));
        db.engine().run(QStringLiteral("INSERT INTO post (post) VALUES ('c')"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT max(id_post) FROM post")), QVariant(qint64(3)));
    }

    void transactions()
    {
        SqliteTestFile db;
        db.engine().beginTransaction();
        db.engine().run(QStringLiteral("INSERT INTO post (post) VALUES ('отменена')"));
        db.engine().rollback();
        db.engine().beginTransaction();
        db.engine().run(QStringLiteral("INSERT INTO post (post) VALUES ('сохранена')"));
        db.engine().commit();
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(post) FROM post")),
                 QVariant(QStringLiteral("сохранена")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.engine().commit());
    }

    void cursorOutlivesClose()
    {
        SqliteTestFile db;
        db.engine().runScript(QStringLiteral("INSERT INTO post (post) VALUES ('a'), ('b');"));
        StatementResult result = db.engine().run(QStringLiteral("SELECT post FROM post ORDER BY id_post"));
        QVERIFY(result.rows->next());
        db.engine().close();
        QVERIFY(!db.engine().isOpen());
        QCOMPARE(result.rows->toText(0), QStringLiteral("a"));
        result.rows.reset();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.engine().run(QStringLiteral("SELECT 1")));
    }

    // A kept statement runs again with other values and NULLs, survives its own failure, is not kept when
    // it fails to prepare, and is prepared again after the connection reopens or the cache fills.
    void preparedStatementsAreKept()
    {
        SqliteTestFile db;
        Engine& engine = db.engine();
        engine.runScript(QStringLiteral("CREATE TABLE kept (id INTEGER PRIMARY KEY, v TEXT);"
                                        "INSERT INTO kept VALUES (1, 'a'), (2, 'b');"));
        const QString setValue = QStringLiteral("UPDATE kept SET v = ? WHERE id IS ?");
        QCOMPARE(engine.runPrepared(setValue, {QStringLiteral("x"), 1}), 1);
        QCOMPARE(engine.runPrepared(setValue, {QVariant(), 2}), 1);
        QCOMPARE(engine.runPrepared(setValue, {QStringLiteral("y"), 3}), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(ifnull(v, 'NULL')) FROM kept")),
                 QVariant(QStringLiteral("x,NULL")));

        const QString moveKey = QStringLiteral("UPDATE kept SET id = ? WHERE id = ?");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.runPrepared(moveKey, {1, 2}));
        QCOMPARE(engine.runPrepared(moveKey, {5, 2}), 1);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.runPrepared(setValue, {QStringLiteral("z")}));
        QCOMPARE(engine.runPrepared(setValue, {QStringLiteral("z"), 5}), 1);

        const QString later = QStringLiteral("UPDATE later SET v = ?");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.runPrepared(later, {1}));
        engine.runScript(QStringLiteral("CREATE TABLE later (v INT); INSERT INTO later VALUES (0);"));
        QCOMPARE(engine.runPrepared(later, {1}), 1);

        engine.close();
        engine.open();
        QCOMPARE(engine.runPrepared(setValue, {QStringLiteral("after reopen"), 1}), 1);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(engine.runPrepared(QStringLiteral("UPDATE later SET v = ? WHERE v <> %1").arg(i), {i}),
                     1);
        QCOMPARE(engine.runPrepared(setValue, {QStringLiteral("after a full cache"), 1}), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT v FROM kept WHERE id = 1")),
                 QVariant(QStringLiteral("after a full cache")));
    }

    void scriptErrorReachesCaller()
    {
        SqliteTestFile db;
        try {
            db.engine().runScript(QStringLiteral("CREATE TABLE a (x INT); CREATE TABLE a (x INT);"));
            QFAIL("no error");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(), QStringLiteral("table a already exists"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSqliteEngine)
#include "tst_sqlite_engine.moc"
