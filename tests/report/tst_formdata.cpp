#include "data/Connection.h"
#include "report/FormDataStore.h"
#include "report/FormRequisites.h"
#include "report/SalaryScale.h"
#include "report/UnitCodes.h"
#include "tests/support/TestInstallation.h"

#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(EngineKind)

namespace {

// Grade 5 changed its salary on 01.09.2024; grade 7 has one salary; grade 9 none.
void storeScale(Engine& engine)
{
    storeSalary(engine, 5, QDate(2024, 1, 1), Money::fromKopecks(1234567));
    storeSalary(engine, 5, QDate(2024, 9, 1), Money::fromKopecks(1300005));
    storeSalary(engine, 7, QDate(2024, 1, 1), Money::fromKopecks(3000000));
}

QString shown(const std::optional<Money>& salary)
{
    return salary ? salary->toPlainDecimal() : QStringLiteral("none");
}

} // namespace

// The form's installation data as a person's connection reads it back, on both engines.
class FormDataTest : public QObject
{
    Q_OBJECT

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;

    TestInstallation& installation(EngineKind engine)
    {
        std::unique_ptr<TestInstallation>& made = m_installations[engine];
        if (!made)
            made = std::make_unique<TestInstallation>(engine);
        return *made;
    }

    static void engines()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::newRow("sqlite") << EngineKind::Sqlite;
        QTest::newRow("postgres") << EngineKind::Postgres;
    }

private Q_SLOTS:
    void salaryInForceOnTheDay_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<qint64>("grade");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("salary");
        const std::pair<const char*, EngineKind> kinds[] = {{"sqlite", EngineKind::Sqlite},
                                                            {"postgres", EngineKind::Postgres}};
        for (const auto& [name, engine] : kinds) {
            const auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s: %s", name, what) << engine;
            };
            row("before the first date") << qint64(5) << QDate(2023, 12, 31) << QStringLiteral("none");
            row("on the first date") << qint64(5) << QDate(2024, 1, 1) << QStringLiteral("12345.67");
            row("between the dates") << qint64(5) << QDate(2024, 8, 31) << QStringLiteral("12345.67");
            row("on the later date") << qint64(5) << QDate(2024, 9, 1) << QStringLiteral("13000.05");
            row("after the last date") << qint64(5) << QDate(2030, 1, 1) << QStringLiteral("13000.05");
            row("another grade") << qint64(7) << QDate(2024, 9, 1) << QStringLiteral("30000.00");
            row("a grade without salary") << qint64(9) << QDate(2024, 9, 1) << QStringLiteral("none");
        }
    }

    void salaryInForceOnTheDay()
    {
        QFETCH(EngineKind, engine);
        QFETCH(qint64, grade);
        QFETCH(QDate, day);
        QFETCH(QString, salary);
        const std::unique_ptr<Connection> person = installation(engine).signedInConnection();
        if (SalaryScale::load(*person).byGrade().empty())
            storeScale(person->engine());
        QCOMPARE(shown(SalaryScale::load(*person).salaryOn(grade, day)), salary);
    }

    void amountsKeepEveryKopeck_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<qint64>("grade");
        QTest::addColumn<qint64>("kopecks");
        const std::pair<const char*, EngineKind> kinds[] = {{"sqlite", EngineKind::Sqlite},
                                                            {"postgres", EngineKind::Postgres}};
        for (const auto& [name, engine] : kinds) {
            QTest::addRow("%s: ten kopecks", name) << engine << qint64(101) << qint64(10);
            QTest::addRow("%s: largest the column keeps", name)
                << engine << qint64(102) << qint64(999999999999);
            QTest::addRow("%s: no exact binary fraction", name)
                << engine << qint64(103) << qint64(123456789013);
        }
    }

    void amountsKeepEveryKopeck()
    {
        QFETCH(EngineKind, engine);
        QFETCH(qint64, grade);
        QFETCH(qint64, kopecks);
        const std::unique_ptr<Connection> person = installation(engine).signedInConnection();
        storeSalary(person->engine(), grade, QDate(2024, 2, 1), Money::fromKopecks(kopecks - 1));
        // The same grade and date again replaces the amount.
        storeSalary(person->engine(), grade, QDate(2024, 2, 1), Money::fromKopecks(kopecks));
        const SalaryScale scale = SalaryScale::load(*person);
        QCOMPARE(scale.salaryOn(grade, QDate(2024, 2, 1)), Money::fromKopecks(kopecks));
        QCOMPARE(scale.byGrade().at(grade).size(), std::size_t(1));
    }

    void requisitesRoundTrip_data() { engines(); }
    void requisitesRoundTrip()
    {
        QFETCH(EngineKind, engine);
        const std::unique_ptr<Connection> person = installation(engine).signedInConnection();
        QCOMPARE(loadFormRequisites(*person), FormRequisites());
        const FormRequisites set = {QStringLiteral("02068574"), QStringLiteral("Начальник отдела кадров"),
                                    QStringLiteral("Соколова Е. А."), QStringLiteral("Петрова Н. В.")};
        saveFormRequisites(*person, set);
        QCOMPARE(loadFormRequisites(*installation(engine).signedInConnection()), set);
        FormRequisites cleared = set;
        cleared.okpo = QStringLiteral("  ");
        cleared.chiefAccountantName.clear();
        saveFormRequisites(*person, cleared);
        const FormRequisites read = loadFormRequisites(*person);
        QCOMPARE(read.okpo, QString());
        QCOMPARE(read.chiefAccountantName, QString());
        QCOMPARE(read.hrHeadName, set.hrHeadName);
        saveFormRequisites(*person, FormRequisites());
    }

    void unitCodes_data() { engines(); }
    void unitCodes()
    {
        QFETCH(EngineKind, engine);
        const std::unique_ptr<Connection> person = installation(engine).signedInConnection();
        Engine& session = person->engine();
        storeUnitCode(session, UnitCodes::Kind::Division, 3, QStringLiteral("01"));
        storeUnitCode(session, UnitCodes::Kind::Faculty, 3, QStringLiteral("Ф-3"));
        storeUnitCode(session, UnitCodes::Kind::Department, 4, QStringLiteral("04.1"));
        storeUnitCode(session, UnitCodes::Kind::Department, 4, QStringLiteral("04.2"));
        storeUnitCode(session, UnitCodes::Kind::Division, 5, QStringLiteral("05"));
        storeUnitCode(session, UnitCodes::Kind::Division, 5, QString());

        const UnitCodes codes = UnitCodes::load(*person);
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Division, 3), QStringLiteral("01"));
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Faculty, 3), QStringLiteral("Ф-3"));
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Department, 4), QStringLiteral("04.2"));
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Department, 3), QString());
        QCOMPARE(codes.codeOf(UnitCodes::Kind::Division, 5), QString());
        QCOMPARE(codes.all().size(), std::size_t(3));
    }

    void cleanupTestCase() { m_installations.clear(); }
};

QTEST_GUILESS_MAIN(FormDataTest)
#include "tst_formdata.moc"
