#include "credentials/Scrambling.h"

#include <QTest>

using namespace zeb;

class TestScrambling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteShiftsByOne();
    void texts_data();
    void texts();
};

void TestScrambling::everyByteShiftsByOne()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));

    const QByteArray plain = unscramble(all);
    QCOMPARE(plain.size(), 256);
    for (int byte = 0; byte < 256; ++byte)
        QCOMPARE(static_cast<unsigned char>(plain.at(byte)), static_cast<unsigned char>((byte + 1) % 256));
    QCOMPARE(scramble(plain), all);
}

void TestScrambling::texts_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");

    QTest::newRow("latin") << QStringLiteral("sa") << QStringLiteral("r`");
    // 'а' is 0xE0 in Windows-1251, 0xDF is 'Я'.
    QTest::newRow("cyrillic") << QStringLiteral("аб") << QStringLiteral("Яа");
    QTest::newRow("zero byte") << QString(QChar(0)) << QString(QChar(0x044F));
    QTest::newRow("empty") << QString() << QString();
}

void TestScrambling::texts()
{
    QFETCH(QString, plain);
    QFETCH(QString, stored);

    QCOMPARE(scramble(plain), stored);
    QCOMPARE(unscramble(stored), plain);
}

QTEST_GUILESS_MAIN(TestScrambling)
#include "tst_scrambling.moc"
