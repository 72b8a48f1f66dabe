#include "platform/Error.h"
#include "credentials/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace zeb;

namespace {

// The bytes the file holds for a value: each byte one lower.
QByteArray lowered(const QByteArray& plain)
{
    QByteArray stored = plain;
    for (char& byte : stored)
        byte = static_cast<char>(static_cast<unsigned char>(byte) - 1);
    return stored;
}

struct StoredField
{
    QByteArray bytes;
    int length = 0;
};

// Lays four fields out as the file does, filling each to 20 bytes with fill.
QByteArray settingsBytes(const StoredField& userId, const StoredField& password,
                         const StoredField& dataSource, const StoredField& initialCatalog, char fill = 'w')
{
    const auto padded = [fill](const QByteArray& bytes) {
        return bytes + QByteArray(20 - bytes.size(), fill);
    };
    QByteArray bytes = padded(userId.bytes) + padded(password.bytes);
    bytes.append(static_cast<char>(userId.length)).append(static_cast<char>(password.length));
    bytes += padded(dataSource.bytes) + padded(initialCatalog.bytes);
    bytes.append(static_cast<char>(dataSource.length)).append(static_cast<char>(initialCatalog.length));
    return bytes;
}

QByteArray typicalBytes()
{
    return settingsBytes({lowered("sa"), 2}, {lowered("secret"), 6}, {lowered("sqlite:zeb.db"), 13},
                         {lowered("ZEB"), 3});
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeLayout_data();
    void decodeLayout();
    void readFile_data();
    void readFile();
    void missingFileNamesIt();
    void notARegularFileRefused_data();
    void notARegularFileRefused();
    void readsAfreshEachTime();
    void roundTrip_data();
    void roundTrip();
    void encodeStoresFillAsFF();
    void encodeRefuses_data();
    void encodeRefuses();
    void writeCreatesDataFolder();
    void damagedInputNeverCrashes();

private:
    QTemporaryDir m_dir;
};

void TestSettingsFile::decodeLayout_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("initialCatalog");
    QTest::addColumn<QString>("dataSource");

    QTest::newRow("typical") << typicalBytes() << QStringLiteral("sa") << QStringLiteral("secret")
                             << QStringLiteral("ZEB") << QStringLiteral("sqlite:zeb.db");
    QTest::newRow("length 0") << settingsBytes({lowered("sa"), 0}, {lowered("x"), 0}, {lowered("srv"), 0},
                                               {lowered("db"), 0})
                              << QString() << QString() << QString() << QString();
    QTest::newRow("length 20") << settingsBytes({lowered("abcdefghijklmnopqrst"), 20}, {}, {}, {})
                               << QStringLiteral("abcdefghijklmnopqrst") << QString() << QString()
                               << QString();
    QTest::newRow("length 25 takes the fill")
        << settingsBytes({lowered("sa"), 25}, {}, {}, {}, 'A')
        << QStringLiteral("sa") + QString(18, QLatin1Char('B')) << QString() << QString() << QString();
    QTest::newRow("length 255 is unsigned")
        << settingsBytes({}, {}, {}, {lowered("db"), 255}, '\x01') << QString() << QString()
        << QStringLiteral("db") + QString(18, QChar(2)) << QString();
    QTest::newRow("0xFF becomes a zero character")
        << settingsBytes({}, {lowered("p") + '\xFF' + lowered("w"), 3}, {}, {}) << QString()
        << QStringLiteral("p") + QChar(0) + QStringLiteral("w") << QString() << QString();
    QTest::newRow("zero byte inside is kept")
        << settingsBytes({lowered("a") + '\0' + lowered("b"), 3}, {}, {}, {}, '\0')
        << QStringLiteral("a") + QChar(1) + QStringLiteral("b") << QString() << QString() << QString();
    // "Кадры" in Windows-1251 is CA E0 E4 F0 FB.
    QTest::newRow("cyrillic") << settingsBytes({}, {}, {}, {QByteArray("\xC9\xDF\xE3\xEF\xFA"), 5})
                              << QString() << QString() << QStringLiteral("Кадры") << QString();
    QTest::newRow("100 bytes") << typicalBytes() + QByteArray(16, '\x55') << QStringLiteral("sa")
                               << QStringLiteral("secret") << QStringLiteral("ZEB")
                               << QStringLiteral("sqlite:zeb.db");
}

void TestSettingsFile::decodeLayout()
{
    QFETCH(QByteArray, bytes);

    const FirstConnectInfo info = SettingsFile::decode(bytes);
    QTEST(info.userId, "userId");
    QTEST(info.password, "password");
    QTEST(info.initialCatalog, "initialCatalog");
    QTEST(info.dataSource, "dataSource");
}

void TestSettingsFile::readFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("readable");

    QTest::newRow("exactly 84") << typicalBytes() << true;
    QTest::newRow("100 bytes") << typicalBytes() + QByteArray(16, '\x55') << true;
    QTest::newRow("83 bytes") << typicalBytes().left(83) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestSettingsFile::readFile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, readable);

    const QString path =
        m_dir.filePath(QStringLiteral("ZEB-") + QString::fromLatin1(QTest::currentDataTag()));
    writeFile(path, content);

    if (readable) {
        const FirstConnectInfo info = SettingsFile::read(path);
        QCOMPARE(info.userId, QStringLiteral("sa"));
        QCOMPARE(info.dataSource, QStringLiteral("sqlite:zeb.db"));
        return;
    }
    try {
        SettingsFile::read(path);
        QFAIL("a short file was read");
    } catch (const IoError& error) {
        QVERIFY2(error.message().contains(QDir::toNativeSeparators(path)), qPrintable(error.message()));
    }
}

void TestSettingsFile::missingFileNamesIt()
{
    const QString path = m_dir.filePath(QStringLiteral("Nowhere/ZEB"));
    try {
        SettingsFile::read(path);
        QFAIL("a missing file was read");
    } catch (const IoError& error) {
        QVERIFY2(error.message().contains(QDir::toNativeSeparators(path)), qPrintable(error.message()));
    }
}

void TestSettingsFile::notARegularFileRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO nobody writes to") << QStringLiteral("fifo");
    QTest::newRow("endless device") << QStringLiteral("device");
    QTest::newRow("folder") << QStringLiteral("folder");
}

// The tool and the client read the file at every sign-in: a FIFO or a device in its place must neither
// block them nor feed them without end.
void TestSettingsFile::notARegularFileRefused()
{
    QFETCH(QString, kind);
    QString path = m_dir.filePath(QStringLiteral("special-") + kind);
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/zero");
    else
        QVERIFY(QDir().mkdir(path));
    try {
        SettingsFile::read(path);
        QFAIL("read from something that is not a file");
    } catch (const IoError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("не является обычным файлом")),
                 qPrintable(error.message()));
        QVERIFY(error.message().contains(QDir::toNativeSeparators(path)));
    }
}

void TestSettingsFile::readsAfreshEachTime()
{
    const QString path = m_dir.filePath(QStringLiteral("ZEB-afresh"));
    SettingsFile::write(
        path, {QStringLiteral("first"), QStringLiteral("p"), QStringLiteral("c"), QStringLiteral("s")});
    QCOMPARE(SettingsFile::read(path).userId, QStringLiteral("first"));

    SettingsFile::write(
        path, {QStringLiteral("second"), QStringLiteral("p"), QStringLiteral("c"), QStringLiteral("s")});
    QCOMPARE(SettingsFile::read(path).userId, QStringLiteral("second"));
}

void TestSettingsFile::roundTrip_data()
{
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("initialCatalog");
    QTest::addColumn<QString>("dataSource");

    QTest::newRow("latin") << QStringLiteral("zeb_signin") << QStringLiteral("Pa55word")
                           << QStringLiteral("ZEB") << QStringLiteral("pg:127.0.0.1:5432");
    QTest::newRow("cyrillic") << QStringLiteral("кадры") << QStringLiteral("ПарольЁё")
                              << QStringLiteral("Штат") << QStringLiteral("sqlite:штат.db");
    QTest::newRow("twenty bytes each") << QString(20, QLatin1Char('u')) << QString(20, QChar(0x044F))
                                       << QString(20, QLatin1Char('c')) << QString(20, QLatin1Char('s'));
    QTest::newRow("zero characters") << QString(QChar(0))
                                     << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << QString()
                                     << QStringLiteral("srv");
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
}

void TestSettingsFile::roundTrip()
{
    QFETCH(QString, userId);
    QFETCH(QString, password);
    QFETCH(QString, initialCatalog);
    QFETCH(QString, dataSource);

    const QByteArray bytes = SettingsFile::encode({userId, password, initialCatalog, dataSource});
    QCOMPARE(bytes.size(), SettingsFile::size);

    const FirstConnectInfo info = SettingsFile::decode(bytes);
    QCOMPARE(info.userId, userId);
    QCOMPARE(info.password, password);
    QCOMPARE(info.initialCatalog, initialCatalog);
    QCOMPARE(info.dataSource, dataSource);
}

void TestSettingsFile::encodeStoresFillAsFF()
{
    const QByteArray bytes = SettingsFile::encode(
        {QStringLiteral("sa"), QStringLiteral("pw"), QStringLiteral("ZEB"), QStringLiteral("srv")});
    const QByteArray expected = settingsBytes({lowered("sa"), 2}, {lowered("pw"), 2}, {lowered("srv"), 3},
                                              {lowered("ZEB"), 3}, '\xFF');
    QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
}

void TestSettingsFile::encodeRefuses_data()
{
    QTest::addColumn<QString>("userId");

    QTest::newRow("21 bytes") << QString(21, QLatin1Char('u'));
    QTest::newRow("21 cyrillic bytes") << QString(21, QChar(0x0416));
    QTest::newRow("outside the code page") << QStringLiteral("user\u4E2D");
}

void TestSettingsFile::encodeRefuses()
{
    QFETCH(QString, userId);

    const QString path = m_dir.filePath(QStringLiteral("Refused/ZEB"));
    QVERIFY_THROWS_EXCEPTION(Error, SettingsFile::write(path, {userId, {}, {}, {}}));
    QVERIFY(!QFile::exists(path));
}

void TestSettingsFile::writeCreatesDataFolder()
{
    const QString path = m_dir.filePath(QStringLiteral("app/Data/ZEB"));
    const FirstConnectInfo info{QStringLiteral("zeb"), QStringLiteral("тайна"), QStringLiteral("ZEB"),
                                QStringLiteral("sqlite:zeb.db")};
    SettingsFile::write(path, info);

    QCOMPARE(QFileInfo(path).size(), qint64(SettingsFile::size));
    QVERIFY(SettingsFile::read(path) == info);
}

void TestSettingsFile::damagedInputNeverCrashes()
{
    QRandomGenerator random(1251);
    const QByteArray valid = typicalBytes();

    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes(random.bounded(0, 121), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random.bounded(256));
        if (round % 3 == 0)
            bytes = valid.left(random.bounded(0, 84));

        if (bytes.size() < SettingsFile::size) {
            QVERIFY_THROWS_EXCEPTION(Error, SettingsFile::decode(bytes));
            continue;
        }
        const FirstConnectInfo info = SettingsFile::decode(bytes);
        const auto expectedLength = [&bytes](int lengthOffset) {
            return qMin<qsizetype>(static_cast<unsigned char>(bytes.at(lengthOffset)), 20);
        };
        QCOMPARE(info.userId.size(), expectedLength(40));
        QCOMPARE(info.password.size(), expectedLength(41));
        QCOMPARE(info.dataSource.size(), expectedLength(82));
        QCOMPARE(info.initialCatalog.size(), expectedLength(83));
    }

    const QString path = m_dir.filePath(QStringLiteral("ZEB-damaged"));
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(random.bounded(0, 121), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random.bounded(256));
        writeFile(path, bytes);

        if (bytes.size() < SettingsFile::size)
            QVERIFY_THROWS_EXCEPTION(IoError, SettingsFile::read(path));
        else
            QVERIFY(SettingsFile::read(path) == SettingsFile::decode(bytes));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
