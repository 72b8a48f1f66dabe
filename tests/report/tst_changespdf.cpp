#include "data/Connection.h"
#include "report/change/ChangesFile.h"
#include "report/change/ChangesReport.h"
#include "tests/report/ChangesFixture.h"
#include "tests/report/PdfSheets.h"
#include "tests/support/EngineConnections.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <map>

using namespace zeb;

// The changes over the fixture's period as PDF, read back as text: the lines by unit, then every unit's
// figures under their own headings.
class ChangesPdfTest : public QObject
{
    Q_OBJECT

private:
    EngineConnections m_engines;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(
            m_engines.install([](Connection& connection, TestInstallation& installation) {
                loadChangesFixture(connection, *installation.adminEngine());
            }));
    }

    void cleanupTestCase() { m_engines.clear(); }

    void writesTheSheets_data() { addEngineRows(); }
    void writesTheSheets()
    {
        QFETCH(EngineKind, engine);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("изменения.pdf"));
        writeChangesReport(loadChangesReport(m_engines.connection(engine), changesFrom(), changesTo()), path);
        const QStringList sheets = pdfSheetTexts(path);
        QVERIFY2(sheets.size() >= 2, qPrintable(sheets.join(u'\f')));
        const QString& first = sheets.first();
        QVERIFY2(first.contains(QStringLiteral("Изменения штатного расписания")), qPrintable(first));
        QVERIFY(first.contains(QStringLiteral("за период с 01.03.2024 по 31.03.2024")));
        QVERIFY(onOneLine(first, {QStringLiteral("№"), QStringLiteral("Должность"),
                                  QStringLiteral("Штатных единиц"), QStringLiteral("Изменение"),
                                  QStringLiteral("Приказ"), QStringLiteral("Что изменено")}));
        const QString all = sheets.join(u'\n');
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Архив (код 3)")},
                 {QStringLiteral("3"), QStringLiteral("Бухгалтер"), QStringLiteral("0,5"),
                  QStringLiteral("+0,5"), QStringLiteral("21-к от 01.03.2024")},
                 {QStringLiteral("+0,5"), QStringLiteral("12-к от 01.09.2017"),
                  QStringLiteral("10.03.2024 Кол. ед.: 1 → 1,5")},
                 {QStringLiteral("20.03.2024 строка удалена")},
                 {QStringLiteral("Изменение по учреждению"), QStringLiteral("-0,25"),
                  QStringLiteral("на начало периода 14,75, на конец 14,5")},
             })
            QVERIFY2(onOneLine(all, parts), qPrintable(parts.join(u'|')));
        // The figures begin a sheet of their own, headed by their columns on each of theirs.
        const auto figures = std::find_if(sheets.begin(), sheets.end(), [](const QString& sheet) {
            return sheet.contains(QStringLiteral("Штатные единицы по подразделениям"));
        });
        QVERIFY(figures != sheets.begin() && figures != sheets.end());
        QVERIFY(!figures->contains(QStringLiteral("Архив (код 3)")));
        for (auto sheet = figures; sheet != sheets.end(); ++sheet)
            QVERIFY2(onOneLine(*sheet, {QStringLiteral("Код"), QStringLiteral("Подразделение")}),
                     qPrintable(*sheet));
        QVERIFY(onOneLine(sheets.last(), {QStringLiteral("Всего по учреждению"), QStringLiteral("14,75"),
                                          QStringLiteral("2,85"), QStringLiteral("2,6"),
                                          QStringLiteral("-0,5"), QStringLiteral("14,5")}));
        for (qsizetype i = 0; i < sheets.size(); ++i)
            QVERIFY(sheets.at(i).contains(QStringLiteral("Лист %1 из %2").arg(i + 1).arg(sheets.size())));
    }
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(ChangesPdfTest)
#include "tst_changespdf.moc"
