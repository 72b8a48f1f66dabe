#include "platform/Error.h"
#include "report/ReportXlsx.h"
#include "tests/report/SampleReport.h"
#include "tests/report/XlsxContents.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

// Where the headings, the column numbers and the sample's rows are, as a spreadsheet numbers them.
constexpr int headingRow = 10;
constexpr int numberRow = 12;

QString xlsxOfSample(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("Штатное расписание.xlsx"));
    writeReportXlsx(sampleReport(), path);
    return path;
}

QString columnLetter(int column)
{
    return QString(QChar(u'A' + column));
}

// The fields of one line of comma-separated values, quoted ones unquoted.
QStringList csvFields(const QString& line)
{
    QStringList fields(1);
    bool quoted = false;
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar character = line.at(at);
        if (character == u'"' && quoted && at + 1 < line.size() && line.at(at + 1) == u'"') {
            fields.last() += character;
            ++at;
        } else if (character == u'"') {
            quoted = !quoted;
        } else if (character == u',' && !quoted) {
            fields.append(QString());
        } else {
            fields.last() += character;
        }
    }
    return fields;
}

// The cells of a sheet LibreOffice has computed, as values ("3.5", "61759.25"), by reference.
QMap<QString, QString> computedCells(const QString& xlsx, const QString& work)
{
    const QString profile = QDir(work).filePath(QStringLiteral("profile"));
    // The file keeps the values its formulas gave when written, which LibreOffice shows as they are; an
    // edited cell is computed anew in the open sheet. Here the whole sheet is computed on loading.
    QDir(profile).mkpath(QStringLiteral("user"));
    QFile settings(QDir(profile).filePath(QStringLiteral("user/registrymodifications.xcu")));
    if (!settings.open(QIODevice::WriteOnly))
        return {};
    settings.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\">\n"
                   "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\">"
                   "<prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\"><value>0</value></prop></item>\n"
                   "</oor:items>\n");
    settings.close();
    QProcess office;
    office.start(QStringLiteral("soffice"),
                 {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                  QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                  // Comma, double quotes, UTF-8, the values as they are rather than as shown.
                  QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false"),
                  QStringLiteral("--outdir"), work, xlsx});
    if (!office.waitForFinished(180000) || office.exitCode() != 0)
        qWarning("soffice: %s", office.readAllStandardError().constData());
    QFile csv(QDir(work).filePath(QFileInfo(xlsx).completeBaseName() + QStringLiteral(".csv")));
    QMap<QString, QString> cells;
    if (!csv.open(QIODevice::ReadOnly))
        return cells;
    int row = 0;
    while (!csv.atEnd()) {
        ++row;
        const QStringList fields = csvFields(QString::fromUtf8(csv.readLine()).trimmed());
        for (qsizetype column = 0; column < fields.size(); ++column)
            cells.insert(columnLetter(int(column)) + QString::number(row), fields.at(column));
    }
    return cells;
}

} // namespace

class TestReportXlsx : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    XlsxContents m_sample;

private Q_SLOTS:
    void initTestCase();
    void cellsHoldTheForm_data();
    void cellsHoldTheForm();
    void headingsInTheFormsOrder();
    void printedAsTheForm();
    void rowsAsHighAsTheirTexts();
    void editedLineChangesTheTotals();
    void failedWriteLeavesTheEarlierFile();
};

void TestReportXlsx::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QString path;
    QVERIFY_THROWS_NO_EXCEPTION(path = xlsxOfSample(m_folder));
    m_sample = readXlsx(path);
    QVERIFY2(m_sample.error.isEmpty(), qPrintable(m_sample.error));
    // Written beside under another name and renamed: nothing else is left in the folder.
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(path).fileName()});
}

void TestReportXlsx::cellsHoldTheForm_data()
{
    QTest::addColumn<QString>("reference");
    // "text", "number", "absent" (left to the column's format and the grid) or a formula.
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("numberFormat");
    const QString text = QStringLiteral("text");
    const QString number = QStringLiteral("number");
    const QString units = QStringLiteral("0.00");
    const QString money = QStringLiteral("#,##0.00");
    const auto row = [](const char* reference, const QString& formula, const QString& value,
                        const QString& format = {}) {
        QTest::newRow(reference) << QString::fromLatin1(reference) << formula << value << format;
    };

    row("M1", text, QStringLiteral("Код"));
    row("J2", text, QStringLiteral("Форма по ОКУД"));
    row("M2", text, QStringLiteral("0301017"));
    row("A3", text, QStringLiteral("Северный государственный университет"));
    row("J3", text, QStringLiteral("по ОКПО"));
    row("M3", text, QStringLiteral("02068574"));
    row("D6", text, QStringLiteral("Номер документа"));
    row("F6", text, QStringLiteral("Дата составления"));
    row("J6", text, QStringLiteral("УТВЕРЖДЕНО"));
    row("A7", text, QStringLiteral("ШТАТНОЕ РАСПИСАНИЕ"));
    row("D7", text, QStringLiteral("17-шр"));
    row("F7", text, QStringLiteral("14.03.2024"));
    row("J7", text, QStringLiteral("Приказом организации от «20» марта 2024 г. № 112-к"));
    row("A8", text, QStringLiteral("на период с «01» апреля 2024 г. по «31» декабря 2024 г."));
    row("J8", text, QStringLiteral("Штат в количестве"));
    row("L8", QStringLiteral("D21"), QStringLiteral("3.5"), units);
    row("M8", text, QStringLiteral("единиц"));

    row("A13", text, QStringLiteral("Бухгалтерия"));
    row("B13", text, QStringLiteral("01"));
    row("B14", text, QStringLiteral("01"));
    row("C14", text, QStringLiteral("Главный бухгалтер, 14 разряд, АУП"));
    row("D14", number, QStringLiteral("1"), units);
    row("E14", number, QStringLiteral("45000"), money);
    row("I14", QStringLiteral("ROUND((E14+F14+G14+H14)*D14,2)"), QStringLiteral("45000"), money);
    row("D15", number, QStringLiteral("0.75"), units);
    row("E15", number, QStringLiteral("12345.67"), money);
    row("I15", QStringLiteral("ROUND((E15+F15+G15+H15)*D15,2)"), QStringLiteral("9259.25"), money);
    // Typed as a formula, kept as the text it is.
    row("J15", text, QStringLiteral("=1+2"));
    row("K15", number, QStringLiteral("250.5"));
    row("L15", text, QStringLiteral("Бюджет"));
    row("M15", text, QStringLiteral("8-к от 01.02.2021"));
    row("A16", text, QStringLiteral("Итого по подразделению"));
    row("D16", QStringLiteral("SUBTOTAL(9,D14:D15)"), QStringLiteral("1.75"), units);
    row("I16", QStringLiteral("SUBTOTAL(9,I14:I15)"), QStringLiteral("54259.25"), money);

    row("A17", text, QStringLiteral("Физико-математический факультет / Кафедра физики"));
    row("B18", text, QStringLiteral("12.4"));
    row("C18", text, QStringLiteral("Профессор, 17 разряд, ППС"));
    row("D18", number, QStringLiteral("1.5"), units);
    // No salary: columns 5 and 9 empty, column 9 still a formula for a salary typed in later.
    row("E18", QStringLiteral("absent"), QString());
    row("I18", QStringLiteral("IF(COUNT(E18:H18)=0,\"\",ROUND((E18+F18+G18+H18)*D18,2))"), QString(), money);
    row("J18", text, QStringLiteral("Совместитель <внешний> & почасовик"));
    row("I19", QStringLiteral("ROUND((E19+F19+G19+H19)*D19,2)"), QStringLiteral("7500"), money);
    row("D20", QStringLiteral("SUBTOTAL(9,D18:D19)"), QStringLiteral("1.75"), units);
    row("I20", QStringLiteral("SUBTOTAL(9,I18:I19)"), QStringLiteral("7500"), money);
    row("A21", text, QStringLiteral("Всего"));
    row("D21", QStringLiteral("SUBTOTAL(9,D13:D20)"), QStringLiteral("3.5"), units);
    row("I21", QStringLiteral("SUBTOTAL(9,I13:I20)"), QStringLiteral("61759.25"), money);
    row("A22", text, QStringLiteral("Оклад не установлен для 1 строки: графы 5 и 9 у них не заполнены."));

    row("A24", text, QStringLiteral("Руководитель кадровой службы"));
    row("C24", text, QStringLiteral("Начальник управления кадров"));
    row("F24", text, QStringLiteral("И. П. Смирнова"));
    row("C25", text, QStringLiteral("(должность)"));
    row("D25", text, QStringLiteral("(личная подпись)"));
    row("F25", text, QStringLiteral("(расшифровка подписи)"));
    row("A27", text, QStringLiteral("Главный бухгалтер"));
    row("F27", text, QStringLiteral("О. В. Лебедева"));
}

void TestReportXlsx::cellsHoldTheForm()
{
    QFETCH(QString, reference);
    QFETCH(QString, formula);
    QFETCH(QString, value);
    QFETCH(QString, numberFormat);
    if (formula == u"absent") {
        QVERIFY(!m_sample.cells.contains(reference));
        return;
    }
    QVERIFY2(m_sample.cells.contains(reference), "no such cell");
    const XlsxCell cell = m_sample.cells.value(reference);
    if (formula == u"text") {
        QVERIFY2(cell.isText(), qPrintable(cell.type + cell.formula));
        QCOMPARE(cell.value, value);
        return;
    }
    QCOMPARE(cell.numberFormat, numberFormat);
    if (formula == u"number")
        QVERIFY2(cell.isNumber(), qPrintable(cell.type));
    else
        QCOMPARE(cell.formula, formula);
    if (value.isEmpty())
        QCOMPARE(cell.value, QString());
    else
        QCOMPARE(cell.value.toDouble(), value.toDouble());
}

void TestReportXlsx::headingsInTheFormsOrder()
{
    QStringList headings;
    QStringList numbers;
    for (int column = 0; column < 13; ++column) {
        headings.append(m_sample.text(columnLetter(column) + QString::number(headingRow)));
        numbers.append(m_sample.text(columnLetter(column) + QString::number(numberRow)));
    }
    QCOMPARE(headings, (QStringList{
                           QStringLiteral("Структурное подразделение, наименование"),
                           QStringLiteral("код"),
                           QStringLiteral("Должность (специальность, профессия), разряд, класс (категория) "
                                          "квалификации"),
                           QStringLiteral("Количество штатных единиц"),
                           QStringLiteral("Тарифная ставка (оклад) и пр., руб."),
                           QStringLiteral("Надбавки, руб."),
                           QString(),
                           QString(),
                           QStringLiteral("Всего, руб. (гр. 5 + гр. 6 + гр. 7 + гр. 8) × гр. 4"),
                           QStringLiteral("Примечание"),
                           QStringLiteral("Почасовой фонд"),
                           QStringLiteral("Источник финансирования"),
                           QStringLiteral("Приказ о вводе: № и дата"),
                       }));
    QStringList columnNumbers;
    for (int column = 1; column <= 13; ++column)
        columnNumbers.append(QString::number(column));
    QCOMPARE(numbers, columnNumbers);
    // Columns 6 to 8 under one heading, each other heading over its two rows.
    for (const char* merged : {"F10:H10", "A10:A11", "E10:E11", "I10:I11", "M10:M11"})
        QVERIFY2(m_sample.mergedRanges.contains(QLatin1String(merged)), merged);
}

void TestReportXlsx::printedAsTheForm()
{
    // The headings and the column numbers on every printed page.
    QCOMPARE(m_sample.definedNames.value(QStringLiteral("_xlnm.Print_Titles")),
             QStringLiteral("'Штатное расписание'!$10:$12"));
    const QString& sheet = m_sample.sheetXml;
    for (const char* setup :
         {"paperSize=\"9\"", "orientation=\"landscape\"", "fitToHeight=\"0\"",
          "<pageSetUpPr fitToPage=\"1\"/>", "Лист &amp;P из &amp;N",
          // The grid over the body, from the first unit to the grand total.
          "<conditionalFormatting sqref=\"A13:M21\"><cfRule type=\"expression\"", "<formula>TRUE</formula>"})
        QVERIFY2(sheet.contains(QString::fromUtf8(setup)), setup);
}

// No spreadsheet heightens a row for its wrapped texts on opening a file: the rows carry their heights.
void TestReportXlsx::rowsAsHighAsTheirTexts()
{
    const auto height = [this](int row) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("<row r=\"%1\"[^>]*>").arg(row)).match(m_sample.sheetXml);
        const QRegularExpressionMatch points =
            QRegularExpression(QStringLiteral(" ht=\"([\\d.]+)\"")).match(match.captured());
        return match.hasMatch() && points.hasMatch() ? points.captured(1).toDouble() : 0.0;
    };
    // The unit's long name in column 1 and the note in column 10 take three lines each.
    QVERIFY2(height(17) >= 3 * 11, qPrintable(QString::number(height(17))));
    QVERIFY2(height(18) >= 3 * 11, qPrintable(QString::number(height(18))));
    // Short texts keep the default height.
    QCOMPARE(height(19), 0.0);
}

void TestReportXlsx::editedLineChangesTheTotals()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice, package libreoffice-calc-nogui) is not installed: the recomputed "
              "totals cannot be checked.");
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString path = xlsxOfSample(work);
    // The accountant's 0,75 units become 2, as an officer would type it into the sheet.
    const QString part = QStringLiteral("xl/worksheets/sheet1.xml");
    QString edited = QString::fromUtf8(xlsxPart(path, part));
    const QRegularExpressionMatch unitsCell =
        QRegularExpression(QStringLiteral("<c r=\"D15\"[^>]*><v>(0.75)</v>")).match(edited);
    QVERIFY(unitsCell.hasMatch());
    edited.replace(unitsCell.capturedStart(1), unitsCell.capturedLength(1), QStringLiteral("2"));
    QVERIFY(replaceXlsxPart(path, part, edited.toUtf8()));

    const QMap<QString, QString> cells = computedCells(path, work.path());
    QVERIFY2(!cells.isEmpty(), "LibreOffice wrote no table");
    // 12 345,67 × 2, the unit's and the grand totals, and the staff in the header.
    QCOMPARE(cells.value(QStringLiteral("I15")).toDouble(), 24691.34);
    QCOMPARE(cells.value(QStringLiteral("D16")).toDouble(), 3.0);
    QCOMPARE(cells.value(QStringLiteral("I16")).toDouble(), 69691.34);
    QCOMPARE(cells.value(QStringLiteral("D20")).toDouble(), 1.75);
    QCOMPARE(cells.value(QStringLiteral("D21")).toDouble(), 4.75);
    QCOMPARE(cells.value(QStringLiteral("I21")).toDouble(), 77191.34);
    QCOMPARE(cells.value(QStringLiteral("L8")).toDouble(), 4.75);
    // The line without a salary stays empty.
    QCOMPARE(cells.value(QStringLiteral("I18")), QString());
}

void TestReportXlsx::failedWriteLeavesTheEarlierFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.xlsx"));
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    ScheduleReport report = sampleReport();
    // More than a cell holds.
    report.groups[0].lines[0].note = QString(40000, u'ж');
    try {
        writeReportXlsx(report, path);
        QFAIL("no error");
    } catch (const IoError& error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Не удалось записать файл «%1»").arg(path)),
                 error.what());
        QVERIFY2(error.message().contains(QStringLiteral("32 767")), error.what());
    }
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("report.xlsx")});
}

QTEST_GUILESS_MAIN(TestReportXlsx)
#include "tst_reportxlsx.moc"
