#include "signin/update/UpdateServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

class TestUpdateServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseAddress_data();
    void baseAddress();
    void missingFileMeansNoServer();
};

void TestUpdateServer::baseAddress_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("address");
    QTest::newRow("one line") << QByteArray("http://updates.example.local:8080\n")
                              << QStringLiteral("http://updates.example.local:8080");
    QTest::newRow("Windows line end, blanks")
        << QByteArray("  http://10.0.0.5:8080  \r\n") << QStringLiteral("http://10.0.0.5:8080");
    QTest::newRow("HTTPS") << QByteArray("https://updates.example.local/\r\n")
                           << QStringLiteral("https://updates.example.local");
    QTest::newRow("trailing slashes") << QByteArray("http://updates//") << QStringLiteral("http://updates");
    QTest::newRow("only the first line") << QByteArray("http://a\nhttp://b\n") << QStringLiteral("http://a");
    QTest::newRow("blank") << QByteArray("   \n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestUpdateServer::baseAddress()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, address);

    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Data")));
    QFile file(UpdateServer::configPath(home.path()));
    QCOMPARE(file.fileName(), QDir(home.path()).filePath(QStringLiteral("Data/update-server.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();

    QCOMPARE(UpdateServer::baseAddress(home.path()), address);
}

void TestUpdateServer::missingFileMeansNoServer()
{
    QTemporaryDir home;
    QCOMPARE(UpdateServer::baseAddress(home.path()), QString());
}

QTEST_GUILESS_MAIN(TestUpdateServer)
#include "tst_updateserver.moc"
