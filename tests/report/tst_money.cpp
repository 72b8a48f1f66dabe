#include "report/Money.h"

#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(std::optional<qint64>)

class MoneyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readFromColumns_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<std::optional<qint64>>("kopecks");
        QTest::newRow("numeric as text")
            << QVariant(QStringLiteral("12345.67")) << std::optional<qint64>(1234567);
        QTest::newRow("more decimals than kept")
            << QVariant(QStringLiteral("12345.6700")) << std::optional<qint64>(1234567);
        QTest::newRow("one decimal") << QVariant(QStringLiteral("0.5")) << std::optional<qint64>(50);
        QTest::newRow("comma") << QVariant(QStringLiteral("7,05")) << std::optional<qint64>(705);
        QTest::newRow("integer") << QVariant(qint64(30000)) << std::optional<qint64>(3000000);
        // A REAL column's nearest double to the amount.
        QTest::newRow("double") << QVariant(19876.43) << std::optional<qint64>(1987643);
        QTest::newRow("null") << QVariant(QMetaType(QMetaType::QString)) << std::optional<qint64>();
        QTest::newRow("not an amount") << QVariant(QStringLiteral("двадцать")) << std::optional<qint64>();
    }
    void readFromColumns()
    {
        QFETCH(QVariant, value);
        QFETCH(std::optional<qint64>, kopecks);
        const std::optional<Money> money = Money::fromValue(value);
        QCOMPARE(money.has_value(), kopecks.has_value());
        if (money)
            QCOMPARE(money->kopecks(), *kopecks);
    }

    void typedByAnOfficer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("kopecks");
        QTest::newRow("grouped") << QStringLiteral("12 345,67") << std::optional<qint64>(1234567);
        QTest::newRow("no-break grouped")
            << QStringLiteral("12\u00A0345,6") << std::optional<qint64>(1234560);
        QTest::newRow("whole roubles") << QStringLiteral(" 30000 ") << std::optional<qint64>(3000000);
        QTest::newRow("three decimals") << QStringLiteral("1,005") << std::optional<qint64>();
        QTest::newRow("two separators") << QStringLiteral("1.000,00") << std::optional<qint64>();
        QTest::newRow("empty") << QString() << std::optional<qint64>();
    }
    void typedByAnOfficer()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, kopecks);
        const std::optional<Money> money = Money::parse(text);
        QCOMPARE(money.has_value(), kopecks.has_value());
        if (money)
            QCOMPARE(money->kopecks(), *kopecks);
    }

    // A float sum of these drifts by kopecks; the kopecks' sum does not.
    void sumsAndProductsAreExact()
    {
        Money total;
        for (int i = 0; i < 100000; ++i)
            total += *Money::fromValue(QStringLiteral("0.10"));
        QCOMPARE(total.kopecks(), qint64(1000000));
        const Money salary = Money::fromKopecks(1234567);
        QCOMPARE(salary.times(0.5).kopecks(), qint64(617284));       // 6172,835 rounds up
        QCOMPARE(salary.times(0.25).kopecks(), qint64(308642));      // 3086,4175
        QCOMPARE(salary.times(1.75).kopecks(), qint64(2160492));     // 21604,9225
        QCOMPARE(salary.times(0.1 + 0.2).kopecks(), qint64(370370)); // units stored as 0.30000000000000004
    }

    void writtenAsDocumentsWriteIt()
    {
        QCOMPARE(Money::fromKopecks(123456789).toText(), QStringLiteral("1\u00A0234\u00A0567,89"));
        QCOMPARE(Money::fromKopecks(5).toText(), QStringLiteral("0,05"));
        QCOMPARE(Money::fromKopecks(-100000).toText(), QStringLiteral("-1\u00A0000,00"));
        QCOMPARE(Money::fromKopecks(123456789).toPlainDecimal(), QStringLiteral("1234567.89"));
    }
};

QTEST_GUILESS_MAIN(MoneyTest)
#include "tst_money.moc"
