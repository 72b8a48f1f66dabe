#include "controls/RowTotals.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>
#include <limits>

using namespace zeb;

class TestRowTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void staysExactWhileRowsChange();
};

void TestRowTotals::text_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("total");

    QTest::newRow("no rows") << QList<double>() << QString();
    QTest::newRow("rows of nothing") << QList<double>({0, 0}) << QStringLiteral("0");
    QTest::newRow("decimal comma") << QList<double>({1.5, 11.25}) << QStringLiteral("12,75");
    QTest::newRow("tenths") << QList<double>({0.1, 0.2}) << QStringLiteral("0,3");
    QTest::newRow("whole") << QList<double>({0.25, 0.75, 2}) << QStringLiteral("3");
    QTest::newRow("negative") << QList<double>({-1.25, 0.5}) << QStringLiteral("-0,75");
    QTest::newRow("negative below one") << QList<double>({-0.05}) << QStringLiteral("-0,05");
    QTest::newRow("millionths") << QList<double>({1.0 / 3, 1.0 / 3}) << QStringLiteral("0,666666");
    QTest::newRow("leading zeros of the fraction") << QList<double>({100.002}) << QStringLiteral("100,002");
    QTest::newRow("not a number counts as 0")
        << QList<double>({std::numeric_limits<double>::quiet_NaN(), 2}) << QStringLiteral("2");
    QTest::newRow("large") << QList<double>({4e12, 4e12}) << QStringLiteral("8000000000000");
}

void TestRowTotals::text()
{
    QFETCH(QList<double>, values);
    QFETCH(QString, total);
    RowTotals totals(1);
    totals.reset(int(values.size()));
    for (int row = 0; row < values.size(); ++row)
        totals.setValue(row, 0, values[row]);
    QCOMPARE(totals.text(0), total);
}

// Hundredths added, replaced and taken away thousands of times, in two columns, end on the exact sum of
// what the rows hold.
void TestRowTotals::staysExactWhileRowsChange()
{
    QRandomGenerator random(7);
    RowTotals totals(2);
    totals.reset(0);
    QList<std::array<int, 2>> rows;
    for (int step = 0; step < 20000; ++step) {
        const int action = rows.isEmpty() ? 0 : random.bounded(3);
        const int row = random.bounded(int(rows.size()) + (action == 0 ? 1 : 0));
        if (action == 0) {
            totals.insertRow(row);
            rows.insert(row, {0, 0});
        } else if (action == 2 && rows.size() > 50) {
            totals.removeRow(row);
            rows.removeAt(row);
            continue;
        }
        for (int column = 0; column < 2; ++column) {
            const int hundredths = random.bounded(-100000, 100000);
            totals.setValue(row, column, hundredths / 100.0);
            rows[row][column] = hundredths;
        }
    }
    QCOMPARE(totals.rowCount(), rows.size());
    for (int column = 0; column < 2; ++column) {
        qint64 hundredths = 0;
        for (const auto& row : std::as_const(rows))
            hundredths += row[column];
        QCOMPARE(totals.total(column), hundredths * (RowTotals::unit / 100));
    }
}

QTEST_APPLESS_MAIN(TestRowTotals)
#include "tst_rowtotals.moc"
