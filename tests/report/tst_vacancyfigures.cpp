#include "report/vacancy/VacancyFigures.h"

#include <QTest>

using namespace zeb;

class VacancyFiguresTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesHundredths_data()
    {
        QTest::addColumn<qint64>("hundredths");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("whole") << qint64(300) << QStringLiteral("3");
        QTest::newRow("half") << qint64(50) << QStringLiteral("0,5");
        QTest::newRow("quarter") << qint64(125) << QStringLiteral("1,25");
        QTest::newRow("a hundredth") << qint64(1005) << QStringLiteral("10,05");
        QTest::newRow("negative") << qint64(-75) << QStringLiteral("-0,75");
    }
    void writesHundredths()
    {
        QFETCH(qint64, hundredths);
        QFETCH(QString, text);
        QCOMPARE(hundredthsText(hundredths), text);
    }

    // A line over its units does not fill another's vacancy; units − occupied = vacant − over throughout.
    void keepsVacantAndOverApart()
    {
        VacancyFigures unit;
        unit.addLine(100, 50);
        unit.addLine(50, 75);
        unit.addLine(100, 100);
        QCOMPARE(unit, (VacancyFigures{250, 225, 50, 25}));
        VacancyFigures other;
        other.addLine(25, 0);
        unit += other;
        QCOMPARE(unit, (VacancyFigures{275, 225, 75, 25}));
    }
};

QTEST_GUILESS_MAIN(VacancyFiguresTest)
#include "tst_vacancyfigures.moc"
