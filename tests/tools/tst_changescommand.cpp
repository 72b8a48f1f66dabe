#include "tests/support/EngineRows.h"
#include "tests/support/TestPgServer.h"
#include "tests/tools/ToolRun.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

QString dayText(const QDate& day)
{
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

// `zeb7-admin changes`: the changes of the staff schedule over a period, written from the command line, on
// the demo installation, whose recent weeks hold entries, withdrawals and changes.
class ChangesCommandTest : public QObject
{
    Q_OBJECT

private:
    DemoInstallations m_demos;

    ToolRun run(const QStringList& arguments) { return m_demos.run(arguments); }

    ToolRun changes(const QString& directory, const QStringList& options)
    {
        return run(QStringList{QStringLiteral("changes"), directory, QStringLiteral("--login"),
                               QStringLiteral("kadry"), QStringLiteral("--password"),
                               QStringLiteral("kadry123")} +
                   options);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString refusal;
        QVERIFY_THROWS_NO_EXCEPTION(refusal = m_demos.install());
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    }

    void cleanupTestCase() { QVERIFY_THROWS_NO_EXCEPTION(m_demos.dropDatabase()); }

    // The last 60 days of the demo: every kind of change is there.
    void writesTheDemosRecentChanges_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s html", name)
                << engine << QStringLiteral("изменения.html") << QByteArray("<!DOCTYPE html>");
            QTest::addRow("%s xlsx", name) << engine << QStringLiteral("изменения.xlsx") << QByteArray("PK");
            QTest::addRow("%s pdf", name) << engine << QStringLiteral("изменения.pdf") << QByteArray("%PDF-");
        }
    }
    void writesTheDemosRecentChanges()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        const QString file = folder.filePath(name);
        const QDate today = QDate::currentDate();
        const ToolRun result =
            changes(m_demos.folders.at(engine),
                    {QStringLiteral("--from"), dayText(today.addDays(-60)), QStringLiteral("--to"),
                     dayText(today), QStringLiteral("--out"), file});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.err, QString());
        const QRegularExpression summary(
            QStringLiteral(
                "^Изменения за период с %1 по %2 записаны в «%3»: строк введено 4, выведено 3, изменено 4; "
                "штатных единиц на начало ([\\d,]+), на конец ([\\d,]+)\\.\n$")
                .arg(QRegularExpression::escape(dayText(today.addDays(-60))),
                     QRegularExpression::escape(dayText(today)), QRegularExpression::escape(file)));
        const QRegularExpressionMatch match = summary.match(result.out);
        QVERIFY2(match.hasMatch(), qPrintable(result.out));
        QVERIFY(match.captured(1) != match.captured(2));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(start.size()), start);
    }

    void refusesWhatItCannotDo_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("expected");
        const QString from = QStringLiteral("--from");
        const QString to = QStringLiteral("--to");
        const QString out = QStringLiteral("--out");
        QTest::newRow("no such day") << QStringList{from, QStringLiteral("30.02.2024"),
                                                    to,   QStringLiteral("31.03.2024"),
                                                    out,  QStringLiteral("c.html")}
                                     << QStringLiteral(
                                            "zeb7-admin: дата --from «30.02.2024» не распознана: ожидается "
                                            "ДД.ММ.ГГГГ, например 01.09.2024.");
        QTest::newRow("no end") << QStringList{from, QStringLiteral("01.03.2024"), out,
                                               QStringLiteral("c.html")}
                                << QStringLiteral("zeb7-admin: не указан обязательный параметр --to.");
        QTest::newRow("reversed") << QStringList{from, QStringLiteral("01.04.2024"),
                                                 to,   QStringLiteral("31.03.2024"),
                                                 out,  QStringLiteral("c.html")}
                                  << QStringLiteral(
                                         "zeb7-admin: Период указан наоборот: его начало 01.04.2024 позже "
                                         "конца 31.03.2024.");
        QTest::newRow("text file") << QStringList{from, QStringLiteral("01.03.2024"),
                                                  to,   QStringLiteral("31.03.2024"),
                                                  out,  QStringLiteral("c.txt")}
                                   << QStringLiteral(
                                          "zeb7-admin: Изменения за период записываются в файл .pdf, "
                                          ".xlsx, .html или .htm, а не «c.txt».");
    }
    // Refused before signing in: nothing is read, nothing written, exit code 2.
    void refusesWhatItCannotDo()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, expected);
        QTemporaryDir nowhere;
        const ToolRun result = changes(nowhere.filePath(QStringLiteral("none")), options);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err, expected + QStringLiteral(" Справка: zeb7-admin --help\n"));
        QCOMPARE(result.out, QString());
    }
};

QTEST_GUILESS_MAIN(ChangesCommandTest)
#include "tst_changescommand.moc"
