#include "tests/support/EngineRows.h"
#include "tests/support/TestPgServer.h"
#include "tests/tools/ToolRun.h"

#include <QRegularExpression>
#include <QTest>

using namespace zeb;

namespace {

// Money as the listing writes it: thousands after a no-break space.
QString grouped(const char* text)
{
    static const QRegularExpression groupSpace(QStringLiteral("(?<=\\d) (?=\\d{3})"));
    return QString::fromUtf8(text).replace(groupSpace, QString(QChar(0x00A0)));
}

} // namespace

// `zeb7-admin form`: the staff schedule form's requisites, unit codes and salary scale of an installation,
// listed and set from the command line.
class FormCommandTest : public QObject
{
    Q_OBJECT

private:
    DemoInstallations m_demos;

    ToolRun run(const QStringList& arguments) { return m_demos.run(arguments); }

    ToolRun form(const QStringList& options)
    {
        QFETCH(EngineKind, engine);
        QStringList words{QStringLiteral("form"), m_demos.folders.at(engine)};
        if (engine == EngineKind::Postgres)
            words << QStringLiteral("--admin-user") << m_demos.server->adminUser;
        return run(words + options);
    }

    QStringList listing(const QStringList& options = {})
    {
        const ToolRun result = form(options);
        if (result.exitCode != 0)
            qWarning("%s", qPrintable(result.err));
        return result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString refusal;
        QVERIFY_THROWS_NO_EXCEPTION(refusal = m_demos.install());
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    }

    void cleanupTestCase() { QVERIFY_THROWS_NO_EXCEPTION(m_demos.dropDatabase()); }

    // Without options: the demo's data, nothing changed.
    void listsWhatIsSet_data() { addEngineRows(); }
    void listsWhatIsSet()
    {
        const QStringList lines = listing();
        QCOMPARE(
            lines.mid(0, 5),
            QStringList({QStringLiteral("ОКПО: 41278963"),
                         QStringLiteral("Руководитель кадровой службы, должность: Начальник отдела кадров"),
                         QStringLiteral("Руководитель кадровой службы, фамилия и инициалы: Е. А. Соколова"),
                         QStringLiteral("Главный бухгалтер, фамилия и инициалы: Н. В. Петрова"),
                         QStringLiteral("Коды подразделений (O отдел, F факультет, K кафедра):")}));
        QVERIFY(lines.contains(QStringLiteral("  F:1 «Факультет экономики и управления» = 10")));
        QVERIFY(lines.contains(QStringLiteral("Оклады по разрядам:")));
        QVERIFY(lines.contains(
            grouped("  разряд 11: с 01.01.2024 — 30 050,50 руб.; с 01.10.2025 — 33 055,55 руб.")));
        QVERIFY(!lines.join(u'\n').contains(QStringLiteral("разряд 3:")));
    }

    // Set, replaced and removed in one run each, and read back by the next.
    void setsWhatIsGiven_data() { addEngineRows(); }
    void setsWhatIsGiven()
    {
        QStringList lines = listing(
            {QStringLiteral("--okpo"), QStringLiteral("0206857401"), QStringLiteral("--chief-accountant"),
             QStringLiteral("  О. П. Кузнецова "), QStringLiteral("--hr-head-name="),
             QStringLiteral("--unit-code"), QStringLiteral("k:2=04.1"), QStringLiteral("--unit-code"),
             QStringLiteral("O:1="), QStringLiteral("--salary"), QStringLiteral("3:01.01.2024=19 900,5"),
             QStringLiteral("--salary"), QStringLiteral("5:01.10.2025=25000"), QStringLiteral("--salary"),
             QStringLiteral("1:01.10.2025=")});
        QCOMPARE(lines.value(0), QStringLiteral("Данные формы Т-3 записаны."));
        QVERIFY(lines.contains(QStringLiteral("ОКПО: 0206857401")));
        QVERIFY(lines.contains(
            QStringLiteral("Руководитель кадровой службы, должность: Начальник отдела кадров")));
        QVERIFY(
            lines.contains(QStringLiteral("Руководитель кадровой службы, фамилия и инициалы: не указано")));
        QVERIFY(lines.contains(QStringLiteral("Главный бухгалтер, фамилия и инициалы: О. П. Кузнецова")));
        QVERIFY(lines.contains(QStringLiteral("  K:2 «Кафедра менеджмента» = 04.1")));
        QVERIFY(!lines.join(u'\n').contains(QStringLiteral("O:1 ")));
        QVERIFY(lines.contains(grouped("  разряд 3: с 01.01.2024 — 19 900,50 руб.")));
        QVERIFY(lines.contains(
            grouped("  разряд 5: с 01.01.2024 — 22 400,00 руб.; с 01.10.2025 — 25 000,00 руб.")));
        QVERIFY(lines.contains(grouped("  разряд 1: с 01.01.2024 — 19 242,00 руб.")));
        QCOMPARE(listing(), lines.mid(1));
    }

    // A change the database refuses leaves every other change of the run unmade.
    void allOrNothing_data() { addEngineRows(); }
    void allOrNothing()
    {
        const QStringList before = listing();
        const ToolRun unknownUnit = form({QStringLiteral("--salary"), QStringLiteral("7:01.01.2027=1"),
                                          QStringLiteral("--unit-code"), QStringLiteral("K:9999=1")});
        QCOMPARE(unknownUnit.exitCode, 1);
        QCOMPARE(unknownUnit.err,
                 QStringLiteral("zeb7-admin: Подразделения K:9999 в базе данных нет: ничего не "
                                "изменено. Номер — ключ отдела (O), факультета (F) или кафедры (K).\n"));
        const ToolRun nothingToRemove = form({QStringLiteral("--okpo"), QStringLiteral("12345678"),
                                              QStringLiteral("--salary"), QStringLiteral("7:01.01.2030=")});
        QCOMPARE(nothingToRemove.exitCode, 1);
        QCOMPARE(nothingToRemove.err,
                 QStringLiteral(
                     "zeb7-admin: Оклада разряда 7 с 01.01.2030 нет: удалять нечего, ничего не изменено.\n"));
        QCOMPARE(listing(), before);
    }

    void wrongOptionsAreRefused_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        const QString help = QStringLiteral(" Справка: zeb7-admin --help\n");
        QTest::newRow("short okpo") << QStringList{QStringLiteral("--okpo"), QStringLiteral("1234567")}
                                    << QStringLiteral("код ОКПО «1234567» не подходит: нужны 8 цифр (10 у "
                                                      "индивидуального предпринимателя).") +
                                           help;
        QTest::newRow("unit kind unknown")
            << QStringList{QStringLiteral("--unit-code"), QStringLiteral("X:1=01")}
            << QStringLiteral(
                   "значение --unit-code «X:1=01» не распознано: ожидается ВИД:НОМЕР=КОД, где ВИД — O "
                   "(отдел), F (факультет) или K (кафедра), например K:12=04.1.") +
                   help;
        QTest::newRow("unit code too long")
            << QStringList{QStringLiteral("--unit-code"), QStringLiteral("O:1=123456789012345678901")}
            << QStringLiteral("значение --unit-code «123456789012345678901» длиннее 20 символов.") + help;
        const QString salaryForm =
            QStringLiteral(
                "» не распознано: ожидается РАЗРЯД:ДД.ММ.ГГГГ=СУММА, например 5:01.09.2025=24640,50 "
                "(разряд — целое число от 1, сумма в рублях с копейками; без суммы оклад удаляется).") +
            help;
        QTest::newRow("salary on no such day")
            << QStringList{QStringLiteral("--salary"), QStringLiteral("5:30.02.2025=1")}
            << QStringLiteral("значение --salary «5:30.02.2025=1") + salaryForm;
        QTest::newRow("salary of grade 0")
            << QStringList{QStringLiteral("--salary"), QStringLiteral("0:01.02.2025=1")}
            << QStringLiteral("значение --salary «0:01.02.2025=1") + salaryForm;
        QTest::newRow("salary below a kopeck")
            << QStringList{QStringLiteral("--salary"), QStringLiteral("5:01.02.2025=1,005")}
            << QStringLiteral("значение --salary «5:01.02.2025=1,005") + salaryForm;
        QTest::newRow("negative salary")
            << QStringList{QStringLiteral("--salary"), QStringLiteral("5:01.02.2025=-1")}
            << QStringLiteral("оклад в --salary «5:01.02.2025=-1» не может быть "
                              "отрицательным.") +
                   help;
        QTest::newRow("salary too large")
            << QStringList{QStringLiteral("--salary"), QStringLiteral("5:01.02.2025=10000000000")}
            << QStringLiteral(
                   "оклад в --salary «5:01.02.2025=10000000000» больше наибольшего, который хранит база "
                   "данных (%1 руб.).")
                       .arg(grouped("9 999 999 999,99")) +
                   help;
        QTest::newRow("name too long")
            << QStringList{QStringLiteral("--hr-head-name"), QString(101, u'я')}
            << QStringLiteral("значение --hr-head-name «%1» длиннее 100 символов.").arg(QString(101, u'я')) +
                   help;
    }

    // Refused before the database is opened: the folder need not even exist.
    void wrongOptionsAreRefused()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const ToolRun result =
            run(QStringList{QStringLiteral("form"), m_demos.root.filePath(QStringLiteral("none"))} + options);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err, QStringLiteral("zeb7-admin: ") + message);
        QCOMPARE(result.out, QString());
    }
};

QTEST_GUILESS_MAIN(FormCommandTest)
#include "tst_formcommand.moc"
