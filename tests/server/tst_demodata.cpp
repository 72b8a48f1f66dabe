#include "report/FormRequisites.h"
#include "report/SalaryScale.h"
#include "report/UnitCodes.h"
#include "report/vacancy/VacancyReport.h"
#include "server/NativeTable.h"
#include "signin/GetUserOutcome.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <algorithm>
#include <map>

using namespace zeb;

class DemoDataTest : public QObject
{
    Q_OBJECT

private:
    // One demo installation per engine serves every test; the tests only read, apart from sign-in counters.
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
    std::unique_ptr<Engine> m_engine;

    Engine& adminEngine(EngineKind engine)
    {
        m_engine = m_installations.at(engine)->adminEngine();
        return *m_engine;
    }

    qint64 count(Engine& engine, const QString& from)
    {
        return firstValue(engine, QStringLiteral("SELECT count(*) FROM ") + from).toLongLong();
    }

    QString table(Engine& engine, const char* name)
    {
        return NativeTable(engine, QString::fromLatin1(name)).name();
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (EngineKind engine : {EngineKind::Sqlite, EngineKind::Postgres})
            QVERIFY_THROWS_NO_EXCEPTION(m_installations[engine] =
                                            std::make_unique<TestInstallation>(engine, true));
    }

    void cleanup() { m_engine.reset(); }

    void cleanupTestCase() { m_installations.clear(); }

    void fillsAUniversity_data() { addEngineRows(); }
    void fillsAUniversity()
    {
        QFETCH(EngineKind, engine);
        Engine& db = adminEngine(engine);
        const QString lines = table(db, "Vakansii");
        const qint64 total = count(db, lines);
        QVERIFY2(total >= 300 && total <= 700, qPrintable(QString::number(total)));
        QVERIFY(count(db, lines + QStringLiteral(" WHERE id_deduce = 2 AND d_n_p IS NOT NULL")) >= 3);
        QVERIFY(count(db, lines + QStringLiteral(" WHERE num IS NULL")) >= 2);
        QVERIFY(count(db, lines + QStringLiteral(" WHERE hourfond > 0")) >= 1);
        QVERIFY(count(db, lines + QStringLiteral(" WHERE descr IS NOT NULL")) >= 1);
        QCOMPARE(count(db, table(db, "Faculty")), 6);
        QCOMPARE(count(db, table(db, "teacher")), 40);
        QCOMPARE(count(db, table(db, "t_fio")), 40);
        QCOMPARE(
            firstValue(db, QStringLiteral("SELECT post FROM %1 WHERE id_post = 1").arg(table(db, "post")))
                .toString(),
            QStringLiteral("Новая должность"));
        // No report server: the client shows its own report.
        QCOMPARE(count(db, table(db, "VuzDefaults") +
                               QStringLiteral(" WHERE id_vuz_defaults = 22 AND n_field IS NULL")),
                 1);

        // Every unit kind has lines: divisions, sub-levels, faculties, level-2 divisions, departments.
        for (const char* unit : {"id_otdel_1 IS NOT NULL AND id_otdel_11 IS NULL", "id_otdel_11 IS NOT NULL",
                                 "id_faculty IS NOT NULL AND id_kafedra IS NULL AND id_otdel_2 IS NULL",
                                 "id_otdel_2 IS NOT NULL", "id_kafedra IS NOT NULL"})
            QVERIFY2(count(db, lines + QStringLiteral(" WHERE ") + QString::fromLatin1(unit)) >= 10, unit);

        // A division whose every line is withdrawn still has lines.
        QVERIFY(!firstValue(db, QStringLiteral("SELECT id_otdel_1 FROM %1 WHERE id_otdel_11 IS NULL "
                                               "AND id_otdel_1 IS NOT NULL GROUP BY id_otdel_1 "
                                               "HAVING min(id_deduce) = 2")
                                    .arg(lines))
                     .isNull());
    }

    void placesEmployeesOnLines_data() { addEngineRows(); }
    void placesEmployeesOnLines()
    {
        QFETCH(EngineKind, engine);
        Engine& db = adminEngine(engine);
        const QString placements = QStringLiteral("%1 w JOIN %2 v ON v.id_vakansiya = w.id_vakansiya")
                                       .arg(table(db, "Working"), table(db, "Vakansii"));
        QVERIFY(count(db, placements + QStringLiteral(" WHERE w.id_leave = 4 AND v.id_deduce <> 2")) >= 10);
        QVERIFY(count(db, placements + QStringLiteral(" WHERE w.id_leave IS NULL")) >= 1);
        QVERIFY(count(db, placements +
                              QStringLiteral(" WHERE w.id_leave = 1 AND w.date_leave IS NOT NULL")) >= 1);
        QVERIFY(count(db, placements + QStringLiteral(" WHERE v.id_deduce = 2")) >= 1);
    }

    // The first division, Ректорат, shows every case on the day the demo was made: a line with a vacancy,
    // whose employee left before that day and another leaves after it, a line over its units and a full line.
    void showsEveryCaseOfVacancies_data() { addEngineRows(); }
    void showsEveryCaseOfVacancies()
    {
        QFETCH(EngineKind, engine);
        const std::unique_ptr<Connection> connection = m_installations.at(engine)->signedInConnection();
        const QDate today = QDate::currentDate();
        const VacancyReport report = loadVacancyReport(*connection, today);
        const auto found =
            std::find_if(report.groups.begin(), report.groups.end(),
                         [](const VacancyGroup& g) { return g.unit == QStringLiteral("Ректорат"); });
        QVERIFY(found != report.groups.end());
        const VacancyGroup& first = *found;
        QCOMPARE(first.overLines.size(), 1);
        QVERIFY(!first.vacantLines.isEmpty());
        QCOMPARE(first.vacantLines.first().occupied, 25);
        QCOMPARE(first.figures.over, 50);
        QVERIFY(first.figures.units - first.figures.vacant - first.figures.occupied + first.figures.over ==
                0);
        // A full line counts in the units and in nothing else.
        qint64 listed = 0;
        for (const VacancyLine& line : first.vacantLines + first.overLines)
            listed += line.units;
        QVERIFY(listed < first.figures.units);

        Engine& db = adminEngine(engine);
        const QString placements =
            QStringLiteral("%1 w JOIN %2 v ON v.id_vakansiya = w.id_vakansiya WHERE "
                           "v.id_otdel_1 = 1 AND v.id_otdel_11 IS NULL AND w.id_leave = 1 "
                           "AND w.date_leave ")
                .arg(table(db, "Working"), table(db, "Vakansii"));
        const QString day = QStringLiteral("'%1'").arg(today.toString(Qt::ISODate));
        QCOMPARE(count(db, placements + QStringLiteral("< ") + day), 1);
        QCOMPARE(count(db, placements + QStringLiteral("> ") + day), 1);
    }

    // Two salary scales, so that the form's date matters, and a grade of some lines left without a salary.
    void fillsTheForm_data() { addEngineRows(); }
    void fillsTheForm()
    {
        QFETCH(EngineKind, engine);
        Engine& db = adminEngine(engine);
        const SalaryScale scale = SalaryScale::load(db);
        QCOMPARE(scale.salaryOn(5, QDate(2023, 12, 31)), std::nullopt);
        QCOMPARE(scale.salaryOn(5, QDate(2025, 9, 30)), Money::fromKopecks(2240000));
        QCOMPARE(scale.salaryOn(5, QDate(2025, 10, 1)), Money::fromKopecks(2464000));
        QCOMPARE(scale.salaryOn(11, QDate(2026, 1, 1)), Money::fromKopecks(3305555));

        const QString lines = table(db, "Vakansii");
        QVERIFY(count(db, lines + QStringLiteral(" WHERE razrad = 3")) >= 1);
        QCOMPARE(scale.salaryOn(3, QDate(2026, 1, 1)), std::nullopt);
        StatementResult grades =
            db.run(QStringLiteral("SELECT DISTINCT razrad FROM %1 WHERE razrad <> 3").arg(lines));
        while (grades.rows->next())
            QVERIFY(scale.salaryOn(grades.rows->toInt64(0), QDate(2024, 1, 1)));

        const FormRequisites requisites = loadFormRequisites(db);
        QCOMPARE(requisites.okpo.size(), 8);
        QCOMPARE(requisites.hrHeadPosition, QStringLiteral("Начальник отдела кадров"));
        QVERIFY(!requisites.hrHeadName.isEmpty());
        QVERIFY(!requisites.chiefAccountantName.isEmpty());

        const UnitCodes codes = UnitCodes::load(db);
        QCOMPARE(codes.all().size(), std::size_t(5));
        const qint64 faculty =
            firstValue(db, QStringLiteral("SELECT min(id_faculty) FROM %1").arg(table(db, "Faculty")))
                .toLongLong();
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Faculty, faculty), QStringLiteral("10"));
    }

    void demoUsersGetTheirAnswers_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<GetUserOutcome>("outcome");
        QTest::addColumn<QString>("message");
        const QString noMessage;
        for (const auto& [engine, name] :
             {std::pair{EngineKind::Sqlite, "sqlite"}, std::pair{EngineKind::Postgres, "pg"}}) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s %s", name, label) << engine;
            };
            row("admin") << QStringLiteral("admin") << QStringLiteral("admin123") << GetUserOutcome::Accepted
                         << noMessage;
            row("kadry") << QStringLiteral("kadry") << QStringLiteral("kadry123") << GetUserOutcome::Accepted
                         << noMessage;
            row("expired") << QStringLiteral("petrova") << QStringLiteral("petrova1")
                           << GetUserOutcome::ChangeDemanded << noMessage;
            row("near expiry") << QStringLiteral("sidorov") << QStringLiteral("sidorov1")
                               << GetUserOutcome::ChangeProposed << noMessage;
            row("must change") << QStringLiteral("novikova") << QStringLiteral("novikova1")
                               << GetUserOutcome::ChangeDemanded << noMessage;
            row("blocked") << QStringLiteral("blocked") << QStringLiteral("blocked1")
                           << GetUserOutcome::ServerMessage
                           << QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
            row("wrong password") << QStringLiteral("kadry") << QStringLiteral("kadry124")
                                  << GetUserOutcome::ServerMessage
                                  << QStringLiteral("Неверное имя пользователя или пароль.");
        }
    }

    void demoUsersGetTheirAnswers()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(GetUserOutcome, outcome);
        QFETCH(QString, message);
        GetUserAnswer answer;
        QVERIFY_THROWS_NO_EXCEPTION(answer = m_installations.at(engine)->getUser(login, password));
        QCOMPARE(answer.message, message);
        QCOMPARE(decideOutcome(answer, 1), outcome);
        if (outcome == GetUserOutcome::Accepted)
            QVERIFY_THROWS_NO_EXCEPTION(m_installations.at(engine)->connectionAs(
                {answer.unscrambledUserId(), answer.unscrambledPassword()}));
    }

    void sameRowsEveryTime()
    {
        const auto snapshot = [](Engine& engine) {
            StatementResult result = engine.run(QStringLiteral(
                "SELECT id_vakansiya, id_post, q_units, razrad, Num, e_n_p, e_d_p, id_deduce, descr "
                "FROM Vakansii ORDER BY id_vakansiya"));
            QStringList rows;
            while (result.rows->next()) {
                QStringList row;
                for (int i = 0; i < result.rows->columns().size(); ++i)
                    row.append(result.rows->toText(i));
                rows.append(row.join(QLatin1Char('|')));
            }
            return rows;
        };
        std::unique_ptr<TestInstallation> another;
        QVERIFY_THROWS_NO_EXCEPTION(another = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
        QCOMPARE(snapshot(*another->adminEngine()), snapshot(adminEngine(EngineKind::Sqlite)));
    }
};

QTEST_GUILESS_MAIN(DemoDataTest)
#include "tst_demodata.moc"
