#include "credentials/PasswordDigest.h"

#include <QTest>

using namespace zeb;

class TestPasswordDigest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void digest_data();
    void digest();
};

void TestPasswordDigest::digest_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expected");

    // The test suite of RFC 1321.
    QTest::newRow("empty") << QString() << QStringLiteral("D41D8CD98F00B204E9800998ECF8427E");
    QTest::newRow("a") << QStringLiteral("a") << QStringLiteral("0CC175B9C0F1B6A831C399E269772661");
    QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("900150983CD24FB0D6963F7D28E17F72");
    QTest::newRow("message digest") << QStringLiteral("message digest")
                                    << QStringLiteral("F96B697D7CB7938D525A2F31AAF161D0");
    QTest::newRow("alphabet") << QStringLiteral("abcdefghijklmnopqrstuvwxyz")
                              << QStringLiteral("C3FCD3D76192E4007DFB496CCA67E13B");
    QTest::newRow("alphanumeric") << QStringLiteral(
                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")
                                  << QStringLiteral("D174AB98D277D9F5A5611C2C9F419D9F");
    QTest::newRow("80 digits") << QString(QStringLiteral("1234567890")).repeated(8)
                               << QStringLiteral("57EDF4A22BE3C955AC49DA2E2107B67A");

    QTest::newRow("other letter case")
        << QStringLiteral("ABC") << QStringLiteral("902FBDD2B1DF0C4F70B4A5D23525E932");
    // Over the Windows-1251 bytes CF E0 F0 EE EB FC 5F A8 E6; the UTF-8 bytes would give 0D8D1255...
    QTest::newRow("cyrillic") << QStringLiteral("Пароль_Ёж")
                              << QStringLiteral("AC9D7B90D23A0C07D59282AA88F9BC87");
}

void TestPasswordDigest::digest()
{
    QFETCH(QString, password);

    QTEST(passwordDigest(password), "expected");
}

QTEST_GUILESS_MAIN(TestPasswordDigest)
#include "tst_passworddigest.moc"
