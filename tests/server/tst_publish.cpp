#include "platform/Error.h"
#include "server/BuildPublisher.h"
#include "server/NativeTable.h"
#include "server/UserAdmin.h"
#include "signin/GetUserStatement.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace zeb;

namespace {

// The SHA-256 of "abc".
const QString abcDigest = QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");

// What GET_USER tells a workstation about updating: columns 5, 6 and 7.
struct UpdateAnswer
{
    qint64 indicator = 0;
    QVariant digest;
    QVariant build;
};

UpdateAnswer askUpdate(const TestInstallation& installation, const QString& computer)
{
    GetUserStatement statement;
    statement.login = QStringLiteral("kadry");
    statement.password = QStringLiteral("kadry123");
    statement.ip = QStringLiteral("127.0.0.1");
    statement.computerName = computer;
    const std::unique_ptr<Connection> connection = installation.settingsConnection();
    const std::unique_ptr<ResultCursor> rows = connection->query(statement.text());
    if (rows->columns().size() < 8)
        throw Error(QStringLiteral("Ответ GET_USER без столбцов update_digest и update_build."));
    if (!rows->next())
        throw Error(QStringLiteral("Процедура GET_USER не вернула строк."));
    UpdateAnswer answer{rows->toInt64(5), rows->isNull(6) ? QVariant() : QVariant(rows->toText(6)),
                        rows->isNull(7) ? QVariant() : QVariant(rows->toInt64(7))};
    while (rows->next()) {
    }
    return answer;
}

} // namespace

// Publishing a build: GET_USER hands its digest to the workstations it tells to update, and only to them.
class PublishTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_files;

    QString executable(const QByteArray& bytes)
    {
        static int number = 0;
        QFile file(m_files.filePath(QStringLiteral("zeb%1.exe").arg(++number)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

    static QString refusal(BuildPublisher& publisher, const QString& file, std::optional<int> build)
    {
        try {
            publisher.publish(file, build);
        } catch (const Error& error) {
            return error.message();
        }
        return {};
    }

private Q_SLOTS:
    void updatingWorkstationsGetTheDigest_data() { addEngineRows(); }
    void updatingWorkstationsGetTheDigest()
    {
        QFETCH(EngineKind, engine);
        TestInstallation installation(engine);
        const std::unique_ptr<Engine> admin = installation.adminEngine();
        UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
        // A workstation on the installed build, told nothing.
        UpdateAnswer answer = askUpdate(installation, QStringLiteral("PC-OLD"));
        QCOMPARE(answer.indicator, 1);
        QVERIFY(answer.digest.isNull());

        BuildPublisher publisher(*admin);
        const PublishedBuild published = publisher.publish(executable("abc"));
        QCOMPARE(published.build, 2);
        QCOMPARE(published.digest, abcDigest);
        QCOMPARE(publisher.current().build, 2);
        QCOMPARE(publisher.current().digest, abcDigest);

        answer = askUpdate(installation, QStringLiteral("PC-OLD"));
        QCOMPARE(answer.indicator, 2);
        QCOMPARE(answer.digest.toString(), abcDigest);
        QCOMPARE(answer.build, QVariant(qint64(2)));
        // Told once, the workstation counts as updated.
        answer = askUpdate(installation, QStringLiteral("PC-OLD"));
        QCOMPARE(answer.indicator, 1);
        QVERIFY(answer.digest.isNull());
        QVERIFY(answer.build.isNull());
        // A workstation first seen after the publishing is not told to update.
        answer = askUpdate(installation, QStringLiteral("PC-NEW"));
        QCOMPARE(answer.indicator, 1);
        QVERIFY(answer.digest.isNull());
    }

    void buildMustGrow_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("expected");
        for (const auto& [name, engine] : installableEngines) {
            const QString refused =
                QStringLiteral("Сборка %1 не опубликована: номер новой сборки должен быть "
                               "больше опубликованной сборки 5.");
            QTest::addRow("%s same", name) << engine << 5 << refused.arg(5);
            QTest::addRow("%s older", name) << engine << 3 << refused.arg(3);
            QTest::addRow("%s newer", name) << engine << 9 << QString();
        }
    }
    void buildMustGrow()
    {
        QFETCH(EngineKind, engine);
        QFETCH(int, build);
        QFETCH(QString, expected);
        TestInstallation installation(engine);
        const std::unique_ptr<Engine> admin = installation.adminEngine();
        BuildPublisher publisher(*admin);
        const QString first = executable("first");
        const QString second = executable("second");
        publisher.publish(first, 5);

        QCOMPARE(refusal(publisher, second, build), expected);
        const PublishedBuild now = publisher.current();
        QCOMPARE(now.build, expected.isEmpty() ? build : 5);
        QCOMPARE(now.digest, BuildPublisher::fileDigest(expected.isEmpty() ? second : first));
    }

    // A mistyped number cannot use up the numbering: every later publish still has a build to take.
    void numberingIsNeverUsedUp_data() { addEngineRows(); }
    void numberingIsNeverUsedUp()
    {
        QFETCH(EngineKind, engine);
        TestInstallation installation(engine);
        const std::unique_ptr<Engine> admin = installation.adminEngine();
        BuildPublisher publisher(*admin);
        const QString file = executable("abc");
        const int highest = BuildPublisher::maxChosenBuild;

        for (const int build : {std::numeric_limits<int>::max(), highest + 1})
            QCOMPARE(
                refusal(publisher, file, build),
                QStringLiteral("Сборка %1 не опубликована: номер, указанный в --build, может быть не больше "
                               "2146483647, чтобы после него оставались номера для следующих сборок.")
                    .arg(build));
        QCOMPARE(publisher.current().build, 1);

        QCOMPARE(publisher.publish(file, highest).build, highest);
        QCOMPARE(publisher.publish(file).build, highest + 1);
        QCOMPARE(publisher.current().build, highest + 1);

        // An installation that took the last number before: refused with a reason, not wrapped round.
        QCOMPARE(NativeTable(*admin, QStringLiteral("zeb_program"))
                     .update({QStringLiteral("build")}, {std::numeric_limits<int>::max()},
                             QStringLiteral("program"), QStringLiteral("ZEB 7")),
                 1);
        QCOMPARE(
            refusal(publisher, file, std::nullopt),
            QStringLiteral("Сборка не опубликована: опубликованная сборка 2147483647 — последний возможный "
                           "номер."));
        QCOMPARE(publisher.current().build, std::numeric_limits<int>::max());
    }

    void unreadableFileIsRefused()
    {
        TestInstallation installation(EngineKind::Sqlite);
        const std::unique_ptr<Engine> admin = installation.adminEngine();
        BuildPublisher publisher(*admin);
        const QString missing = m_files.filePath(QStringLiteral("нет.exe"));
        QVERIFY(
            refusal(publisher, missing, std::nullopt).contains(QStringLiteral("Не удалось прочитать файл")));
        QVERIFY(refusal(publisher, executable(""), std::nullopt).contains(QStringLiteral("пуст")));
        QCOMPARE(publisher.current().build, 1);
        QCOMPARE(publisher.current().digest, QString());
    }
};

QTEST_GUILESS_MAIN(PublishTest)
#include "tst_publish.moc"
