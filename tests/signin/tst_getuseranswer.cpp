#include "data/ResultCursor.h"
#include "platform/Error.h"
#include "signin/GetUserAnswer.h"
#include "signin/GetUserOutcome.h"

#include <QDate>
#include <QTest>

using namespace zeb;

namespace zeb {

char* toString(GetUserOutcome outcome)
{
    static const char* const names[] = {"Update", "ServerMessage", "ChangeDemanded", "ChangeProposed",
                                        "Accepted"};
    return qstrdup(names[static_cast<int>(outcome)]);
}

} // namespace zeb

namespace {

// Rows held in memory, typed as the engines type them.
class MemoryCursor : public ResultCursor
{
public:
    MemoryCursor(int columnCount, QList<QVariantList> rows) : m_rows(std::move(rows))
    {
        for (int column = 0; column < columnCount; ++column)
            m_columns.append({QStringLiteral("c%1").arg(column), FieldType::Unknown, 0});
    }

    const ColumnList& columns() const override { return m_columns; }
    bool next() override { return ++m_current < m_rows.size(); }

    bool isNull(int column) const override { return value(column).isNull(); }
    qint64 toInt64(int column) const override { return value(column).toLongLong(); }
    double toDouble(int column) const override { return value(column).toDouble(); }
    QString toText(int column) const override { return value(column).toString(); }
    QVariant value(int column) const override { return m_rows.at(m_current).at(column); }

private:
    ColumnList m_columns;
    QList<QVariantList> m_rows;
    qsizetype m_current = -1;
};

QVariantList answerRow(const QVariant& userId, const QVariant& passwordStatus, const QVariant& message,
                       const QVariant& updateIndicator)
{
    return {userId,  QStringLiteral("qv"), QStringLiteral("Иванов И. И."), passwordStatus,
            message, updateIndicator};
}

GetUserAnswer answer(qint64 updateIndicator, const QString& message, qint64 passwordStatus,
                     const QString& dbUserId)
{
    GetUserAnswer result;
    result.dbUserId = dbUserId;
    result.dbPassword = dbUserId;
    result.passwordStatus = passwordStatus;
    result.message = message;
    result.updateIndicator = updateIndicator;
    return result;
}

} // namespace

class TestGetUserAnswer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheFirstRow_data();
    void readsTheFirstRow();
    void refusesAnUnexpectedAnswer_data();
    void refusesAnUnexpectedAnswer();
    void decidesTheOutcome_data();
    void decidesTheOutcome();
};

void TestGetUserAnswer::readsTheFirstRow_data()
{
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QVariantList>("row");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<qint64>("passwordStatus");
    QTest::addColumn<QString>("message");
    QTest::addColumn<qint64>("updateIndicator");
    QTest::addColumn<QString>("updateDigest");
    QTest::addColumn<qint64>("updateBuild");

    const QString digest = QStringLiteral("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08");
    QTest::newRow("accepted, NULL message")
        << 6 << answerRow(QStringLiteral("r`"), qint64(85), QVariant(), qint64(1)) << QStringLiteral("sa")
        << qint64(85) << QString() << qint64(1) << QString() << qint64(0);
    QTest::newRow("refused") << 6
                             << answerRow(QString(), qint64(0),
                                          QStringLiteral("Неверное имя пользователя или пароль."), qint64(1))
                             << QString() << qint64(0)
                             << QStringLiteral("Неверное имя пользователя или пароль.") << qint64(1)
                             << QString() << qint64(0);
    QTest::newRow("message of blanks")
        << 6 << answerRow(QStringLiteral("r`"), qint64(5), QStringLiteral("   "), qint64(2))
        << QStringLiteral("sa") << qint64(5) << QStringLiteral("   ") << qint64(2) << QString() << qint64(0);
    QTest::newRow("numbers as text and float")
        << 6 << answerRow(QStringLiteral("r`"), QStringLiteral("-1"), QString(), 2.0) << QStringLiteral("sa")
        << qint64(-1) << QString() << qint64(2) << QString() << qint64(0);
    QTest::newRow("NULL numbers") << 6 << answerRow(QVariant(), QVariant(), QVariant(), QVariant())
                                  << QString() << qint64(0) << QString() << qint64(0) << QString()
                                  << qint64(0);
    QTest::newRow("update with its digest")
        << 7 << (answerRow(QStringLiteral("r`"), qint64(30), QVariant(), qint64(2)) << digest)
        << QStringLiteral("sa") << qint64(30) << QString() << qint64(2) << digest << qint64(0);
    QTest::newRow("no update, NULL digest")
        << 7 << (answerRow(QStringLiteral("r`"), qint64(30), QVariant(), qint64(1)) << QVariant())
        << QStringLiteral("sa") << qint64(30) << QString() << qint64(1) << QString() << qint64(0);
    QTest::newRow("no update, NULL build")
        << 8
        << (answerRow(QStringLiteral("r`"), qint64(30), QVariant(), qint64(1)) << QVariant() << QVariant())
        << QStringLiteral("sa") << qint64(30) << QString() << qint64(1) << QString() << qint64(0);
    QTest::newRow("update with its digest and build")
        << 8 << (answerRow(QStringLiteral("r`"), qint64(30), QVariant(), qint64(2)) << digest << 7)
        << QStringLiteral("sa") << qint64(30) << QString() << qint64(2) << digest << qint64(7);
}

void TestGetUserAnswer::readsTheFirstRow()
{
    QFETCH(int, columnCount);
    QFETCH(QVariantList, row);

    MemoryCursor cursor(columnCount, {row, answerRow(QStringLiteral("x"), qint64(99),
                                                     QStringLiteral("second row"), qint64(9))});
    const GetUserAnswer answer = GetUserAnswer::read(cursor);

    QCOMPARE(answer.dbUserId, row.at(0).toString());
    QTEST(answer.unscrambledUserId(), "userId");
    QCOMPARE(answer.dbPassword, QStringLiteral("qv"));
    QCOMPARE(answer.unscrambledPassword(), QStringLiteral("rw"));
    QTEST(answer.passwordStatus, "passwordStatus");
    QTEST(answer.message, "message");
    QTEST(answer.updateIndicator, "updateIndicator");
    QTEST(answer.updateDigest, "updateDigest");
    QTEST(answer.updateBuild, "updateBuild");
}

void TestGetUserAnswer::refusesAnUnexpectedAnswer_data()
{
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QList<QVariantList>>("rows");

    const QVariantList valid = answerRow(QStringLiteral("r`"), qint64(30), QVariant(), qint64(1));
    QTest::newRow("five columns") << 5 << QList<QVariantList>{valid.mid(0, 5)};
    QTest::newRow("no row") << 6 << QList<QVariantList>{};
    QTest::newRow("status not a number")
        << 6
        << QList<QVariantList>{answerRow(QStringLiteral("r`"), QStringLiteral("abc"), QVariant(), qint64(1))};
    QTest::newRow("update indicator a date")
        << 6
        << QList<QVariantList>{answerRow(QStringLiteral("r`"), qint64(30), QVariant(), QDate(2024, 1, 1))};
}

void TestGetUserAnswer::refusesAnUnexpectedAnswer()
{
    QFETCH(int, columnCount);
    QFETCH(QList<QVariantList>, rows);

    MemoryCursor cursor(columnCount, rows);
    QVERIFY_THROWS_EXCEPTION(Error, GetUserAnswer::read(cursor));
}

void TestGetUserAnswer::decidesTheOutcome_data()
{
    QTest::addColumn<GetUserAnswer>("answer");
    QTest::addColumn<int>("attempt");
    QTest::addColumn<GetUserOutcome>("outcome");

    const QString account = QStringLiteral("r`");
    const QString refusal = QStringLiteral("Учётная запись заблокирована.");
    QTest::newRow("update before message") << answer(2, refusal, -1, account) << 1 << GetUserOutcome::Update;
    QTest::newRow("update 3") << answer(3, QString(), 50, account) << 2 << GetUserOutcome::Update;
    QTest::newRow("update 1 is none") << answer(1, QString(), 50, account) << 1 << GetUserOutcome::Accepted;
    QTest::newRow("message before demand")
        << answer(1, refusal, -1, account) << 1 << GetUserOutcome::ServerMessage;
    QTest::newRow("message of spaces")
        << answer(1, QStringLiteral("  "), 50, account) << 2 << GetUserOutcome::ServerMessage;
    QTest::newRow("status -1") << answer(1, QString(), -1, account) << 2 << GetUserOutcome::ChangeDemanded;
    QTest::newRow("status -1, no account")
        << answer(1, QString(), -1, QString()) << 1 << GetUserOutcome::ChangeDemanded;
    QTest::newRow("status 10, attempt 1")
        << answer(1, QString(), 10, account) << 1 << GetUserOutcome::ChangeProposed;
    QTest::newRow("status 10, attempt 1, empty column 0")
        << answer(1, QString(), 10, QString()) << 1 << GetUserOutcome::Accepted;
    QTest::newRow("status 10, attempt 2")
        << answer(1, QString(), 10, account) << 2 << GetUserOutcome::Accepted;
    QTest::newRow("status 19") << answer(1, QString(), 19, account) << 1 << GetUserOutcome::ChangeProposed;
    QTest::newRow("status 20") << answer(1, QString(), 20, account) << 1 << GetUserOutcome::Accepted;
    QTest::newRow("status 0, counter wrapped to 0")
        << answer(1, QString(), 0, account) << 0 << GetUserOutcome::Accepted;
}

void TestGetUserAnswer::decidesTheOutcome()
{
    QFETCH(GetUserAnswer, answer);
    QFETCH(int, attempt);

    QTEST(decideOutcome(answer, static_cast<quint8>(attempt)), "outcome");
}

QTEST_GUILESS_MAIN(TestGetUserAnswer)
#include "tst_getuseranswer.moc"
