#include "data/DatabaseError.h"
#include "odbc/OdbcEngine.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <future>

using namespace zeb;

namespace {

// What reached a listener on 127.0.0.1 standing in for SQL Server: the SQL Browser query for a named
// instance, the TDS pre-login packet and, when the listener answers that it cannot encrypt, the login
// packet; then it hangs up.
struct Heard
{
    QByteArray browserQuery;
    QByteArray prelogin;
    QByteArray login;
};

struct Listening
{
    quint16 port = 0;
    bool browser = false;
};

// One TDS packet; its length is in bytes 2 and 3 of its header.
QByteArray readPacket(QTcpSocket& client)
{
    QByteArray packet;
    while ((packet.size() < 4 || packet.size() < (quint8(packet[2]) << 8 | quint8(packet[3]))) &&
           (client.bytesAvailable() > 0 || client.waitForReadyRead(10000)))
        packet.append(client.readAll());
    return packet;
}

// The pre-login answer of a server that cannot encrypt: a header, VERSION and ENCRYPTION options, version
// 16.0.1000, ENCRYPT_NOT_SUP.
const QByteArray cannotEncrypt = QByteArray::fromHex("0401001a00000100"
                                                     "00000b0006"
                                                     "0100110001"
                                                     "ff"
                                                     "100003e80000"
                                                     "02");

Heard standIn(const QString& instance, bool answer, std::promise<Listening>& listening)
{
    QTcpServer server;
    QUdpSocket browser;
    Listening ready;
    if (server.listen(QHostAddress::LocalHost))
        ready.port = server.serverPort();
    ready.browser =
        instance.isEmpty() || browser.bind(QHostAddress::LocalHost, 1434, QAbstractSocket::DontShareAddress);
    listening.set_value(ready);
    Heard heard;
    if (!ready.port || !ready.browser)
        return heard;
    if (!instance.isEmpty()) {
        if (!browser.waitForReadyRead(10000))
            return heard;
        const QNetworkDatagram query = browser.receiveDatagram();
        heard.browserQuery = query.data();
        const QByteArray located =
            QStringLiteral("ServerName;KADRY-SRV;InstanceName;%1;IsClustered;No;Version;"
                           "16.0.1000.6;tcp;%2;;")
                .arg(instance)
                .arg(ready.port)
                .toLatin1();
        QByteArray reply(1, '\x05');
        reply.append(char(located.size() & 0xff)).append(char(located.size() >> 8)).append(located);
        browser.writeDatagram(reply, query.senderAddress(), quint16(query.senderPort()));
    }
    if (!server.waitForNewConnection(10000))
        return heard;
    QTcpSocket* client = server.nextPendingConnection();
    heard.prelogin = readPacket(*client);
    if (answer) {
        client->write(cannotEncrypt);
        client->waitForBytesWritten(10000);
        heard.login = readPacket(*client);
    }
    client->abort();
    return heard;
}

// The value of the pre-login ENCRYPTION option (token 1): 0 encrypt the login, 1 encrypt everything,
// 2 cannot encrypt; -1 when the packet has none.
int encryptionAsked(const QByteArray& packet)
{
    const QByteArray payload = packet.mid(8);
    for (qsizetype at = 0; at + 5 <= payload.size() && quint8(payload[at]) != 0xff; at += 5) {
        const int offset = quint8(payload[at + 1]) << 8 | quint8(payload[at + 2]);
        if (payload[at] == 1 && offset < payload.size())
            return quint8(payload[offset]);
    }
    return -1;
}

// The fields of a LOGIN7 packet that carry the settings; the password is undone from its nibble swap and
// XOR with 0xA5.
struct Login
{
    quint32 tdsVersion = 0;
    QString user;
    QString password;
    QString database;
};

Login loginOf(const QByteArray& packet)
{
    const QByteArray payload = packet.mid(8);
    const auto number = [&payload](qsizetype at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | quint8(payload.at(at + i));
        return value;
    };
    // Each field is an offset and a length in UTF-16 units, kept at `at`.
    const auto field = [&payload, &number](qsizetype at) {
        return payload.mid(number(at, 2), 2 * number(at + 2, 2));
    };
    QByteArray password = field(44);
    for (char& byte : password) {
        const quint8 plain = quint8(byte) ^ 0xa5;
        byte = char(quint8(plain << 4 | plain >> 4));
    }
    const auto text = [](const QByteArray& utf16) {
        return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
    };
    return {number(4, 4), text(field(40)), text(password), text(field(68))};
}

} // namespace

// No SQL Server is reachable here: opening is exercised up to the first packet the driver sends.
class TestOdbcEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unreachableServerFailsWithMessage();
    void sessionAskedOfTheServer_data();
    void sessionAskedOfTheServer();
    void loginCarriesTheSettings_data();
    void loginCarriesTheSettings();
};

void TestOdbcEngine::unreachableServerFailsWithMessage()
{
    ConnectionParams params;
    params.dataSource = QStringLiteral("127.0.0.1,1");
    params.initialCatalog = QStringLiteral("ZEB");
    params.userId = QStringLiteral("zeb");
    params.password = QStringLiteral("p;a}ss");

    // The second attempt reuses the engine's connection name, which the failed one must have released.
    OdbcEngine engine(params);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QElapsedTimer elapsed;
        elapsed.start();
        try {
            engine.open();
            QFAIL("a connection was opened");
        } catch (const DatabaseError& error) {
            QVERIFY2(!error.message().trimmed().isEmpty(), "the error has no message");
            QVERIFY2(!error.message().contains(QLatin1Char('[')), qPrintable(error.message()));
        }
        // Well within the login timeout of 10 seconds: a refused port is no reason to wait.
        QVERIFY2(elapsed.elapsed() < 5000, qPrintable(QString::number(elapsed.elapsed())));
        QVERIFY(!engine.isOpen());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.run(QStringLiteral("SELECT 1")));
    }
}

void TestOdbcEngine::sessionAskedOfTheServer_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QByteArray>("encryption");
    QTest::addColumn<int>("asked");
    QTest::newRow("port, encryption by default") << QString() << QByteArray() << 1;
    QTest::newRow("port, encryption required") << QString() << QByteArray("require") << 1;
    QTest::newRow("port, encryption if the server can") << QString() << QByteArray("request") << 0;
    QTest::newRow("port, old server without encryption") << QString() << QByteArray("off") << 2;
    QTest::newRow("named instance") << QStringLiteral("KADRY") << QByteArray() << 1;
}

void TestOdbcEngine::sessionAskedOfTheServer()
{
    QFETCH(QString, instance);
    QFETCH(QByteArray, encryption);
    QFETCH(int, asked);
    if (encryption.isNull())
        qunsetenv("ZEB_MSSQL_ENCRYPTION");
    else
        qputenv("ZEB_MSSQL_ENCRYPTION", encryption);

    std::promise<Listening> listening;
    std::future<Heard> heard = std::async(std::launch::async, standIn, instance, false, std::ref(listening));
    const Listening ready = listening.get_future().get();
    if (!ready.browser) {
        heard.wait();
        QSKIP("UDP port 1434 of 127.0.0.1 is taken: no stand-in for SQL Browser");
    }
    QVERIFY(ready.port);

    ConnectionParams params;
    params.dataSource = instance.isEmpty() ? QStringLiteral("127.0.0.1,%1").arg(ready.port)
                                           : QStringLiteral("127.0.0.1\\") + instance;
    params.initialCatalog = QStringLiteral("ZEB");
    params.userId = QStringLiteral("zeb");
    params.password = QStringLiteral("secret");
    OdbcEngine engine(params);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.open());
    qunsetenv("ZEB_MSSQL_ENCRYPTION");

    const Heard got = heard.get();
    if (!instance.isEmpty())
        QCOMPARE(got.browserQuery, '\x04' + instance.toLatin1() + '\0');
    QVERIFY2(got.prelogin.startsWith('\x12'), "no pre-login packet reached the server's port");
    QCOMPARE(encryptionAsked(got.prelogin), asked);
}

void TestOdbcEngine::loginCarriesTheSettings_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("database");
    QTest::newRow("plain") << QStringLiteral("ZEB_signin") << QStringLiteral("Secret12")
                           << QStringLiteral("ZEB");
    QTest::newRow("password with separators")
        << QStringLiteral("ZEB_signin") << QStringLiteral("a;b}c}") << QStringLiteral("ZEB");
    QTest::newRow("password starting with a brace")
        << QStringLiteral("ZEB_signin") << QStringLiteral("{x;") << QStringLiteral("ZEB");
    QTest::newRow("Cyrillic names") << QStringLiteral("Кадры") << QStringLiteral("Пароль;1}")
                                    << QStringLiteral("Штатное_расписание");
}

// Through Qt, the driver manager and FreeTDS to what the server reads: an old server without encryption,
// so the login packet comes in the clear.
void TestOdbcEngine::loginCarriesTheSettings()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, database);
    qputenv("ZEB_MSSQL_ENCRYPTION", "off");
    std::promise<Listening> listening;
    std::future<Heard> heard = std::async(std::launch::async, standIn, QString(), true, std::ref(listening));
    const Listening ready = listening.get_future().get();
    QVERIFY(ready.port);

    ConnectionParams params;
    params.dataSource = QStringLiteral("127.0.0.1,%1").arg(ready.port);
    params.initialCatalog = database;
    params.userId = user;
    params.password = password;
    OdbcEngine engine(params);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, engine.open());
    qunsetenv("ZEB_MSSQL_ENCRYPTION");

    const Heard got = heard.get();
    QVERIFY2(got.login.startsWith('\x10'), "no login packet reached the server");
    const Login login = loginOf(got.login);
    QCOMPARE(login.tdsVersion, 0x74000004u);
    QCOMPARE(login.user, user);
    QCOMPARE(login.password, password);
    QCOMPARE(login.database, database);
}

QTEST_GUILESS_MAIN(TestOdbcEngine)
#include "TestOdbcEngine.moc"
