#include "app/CommandLine.h"

#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(std::optional<int>)

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestCommandLine::answers_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("refuseUnknown");
    QTest::addColumn<std::optional<int>>("exitCode");

    const std::optional<int> starts;
    QTest::newRow("nothing") << QStringList() << true << starts;
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << false << std::optional<int>(0);
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << false << std::optional<int>(0);
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << false << std::optional<int>(0);
    // The window system's options reach the application object before anything is refused.
    QTest::newRow("window system option, before the application object")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")} << false << starts;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")} << true
                                    << std::optional<int>(2);
    QTest::newRow("a word") << QStringList{QStringLiteral("settings.ini")} << true << std::optional<int>(2);
    QTest::newRow("help with a word")
        << QStringList{QStringLiteral("--help"), QStringLiteral("x")} << true << std::optional<int>(2);
}

void TestCommandLine::answers()
{
    QFETCH(QStringList, words);
    QFETCH(bool, refuseUnknown);
    QFETCH(std::optional<int>, exitCode);

    QCOMPARE(answerCommandLine(QStringList{QStringLiteral("zeb7")} + words, refuseUnknown), exitCode);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
