#include "report/AsOfRule.h"

#include <QTest>

using namespace zeb;

class AsOfRuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsOn_data()
    {
        QTest::addColumn<QDate>("entered");
        QTest::addColumn<QDate>("withdrawn");
        QTest::addColumn<bool>("counts");
        const QDate before(2024, 3, 14);
        const QDate day(2024, 3, 15);
        const QDate after(2024, 3, 16);
        QTest::newRow("entered before, never withdrawn") << before << QDate() << true;
        QTest::newRow("entered on the day") << day << QDate() << true;
        QTest::newRow("entered the day after") << after << QDate() << false;
        QTest::newRow("no entry date") << QDate() << QDate() << true;
        QTest::newRow("no entry date, withdrawn before") << QDate() << before << false;
        QTest::newRow("withdrawn the day before") << QDate(2020, 1, 1) << before << false;
        QTest::newRow("withdrawn on the day") << before << day << false;
        QTest::newRow("withdrawn the day after") << before << after << true;
        QTest::newRow("entered and withdrawn after") << after << QDate(2024, 6, 1) << false;
    }
    void countsOn()
    {
        QFETCH(QDate, entered);
        QFETCH(QDate, withdrawn);
        QFETCH(bool, counts);
        QCOMPARE(zeb::countsOn(QDate(2024, 3, 15), entered, withdrawn), counts);
    }
};

QTEST_GUILESS_MAIN(AsOfRuleTest)
#include "tst_asofrule.moc"
