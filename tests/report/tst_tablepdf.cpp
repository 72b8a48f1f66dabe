#include "report/sheet/SheetMedium.h"
#include "report/sheet/TablePdf.h"
#include "report/sheet/TitleBlock.h"
#include "tests/report/PdfSheets.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace zeb;

namespace {

// A report of changes: what a line was and what it became, under one heading each.
SheetColumns changeColumns()
{
    SheetColumns columns;
    columns.columns = {
        {QStringLiteral("Дата"), 10, Qt::AlignHCenter}, {QStringLiteral("Должность"), 40, Qt::AlignLeft},
        {QStringLiteral("Ставки"), 10, Qt::AlignRight}, {QStringLiteral("Оклад"), 15, Qt::AlignRight},
        {QStringLiteral("Ставки"), 10, Qt::AlignRight}, {QStringLiteral("Оклад"), 15, Qt::AlignRight},
    };
    columns.groups = {{2, 3, QStringLiteral("Было")}, {4, 5, QStringLiteral("Стало")}};
    return columns;
}

// `count` lines of one unit, then its total.
SheetRows changeRows(int count, int* visits)
{
    return [count, visits](const SheetRowVisitor& visit) {
        ++*visits;
        SheetRow row(6);
        row.begin(SheetRow::Group);
        row.cells[0] = QStringLiteral("Кафедра физики");
        visit(row);
        for (int i = 1; i <= count; ++i) {
            row.begin(SheetRow::Line);
            row.cells = {QStringLiteral("01.02.2024"), QStringLiteral("Доцент %1").arg(i),
                         QStringLiteral("1"),          QStringLiteral("40 000,00"),
                         QStringLiteral("0,5"),        QStringLiteral("20 000,00")};
            visit(row);
        }
        row.begin(SheetRow::GrandTotal, 2);
        row.cells[0] = QStringLiteral("Всего изменений: %1").arg(count);
        visit(row);
    };
}

// A second table: every unit's figures.
SheetColumns figureColumns()
{
    SheetColumns columns;
    columns.columns = {{QStringLiteral("Подразделение"), 70, Qt::AlignLeft},
                       {QStringLiteral("На начало"), 15, Qt::AlignRight},
                       {QStringLiteral("На конец"), 15, Qt::AlignRight}};
    return columns;
}

SheetRows figureRows(int count)
{
    return [count](const SheetRowVisitor& visit) {
        SheetRow row(3);
        for (int i = 1; i <= count; ++i) {
            row.begin(SheetRow::Line);
            row.cells = {QStringLiteral("Кафедра %1").arg(i), QStringLiteral("%1").arg(i),
                         QStringLiteral("7")};
            visit(row);
        }
    };
}

} // namespace

class TablePdfTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The columns' own headings stand under their group's on every sheet; the title only on the first, the
    // closing block whole on the last.
    void drawsAnyTableOnNumberedSheets()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("changes.pdf"));
        int visits = 0;
        {
            SheetMedium medium;
            const TitleBlock title(medium,
                                   {{TitleLine::Title, QStringLiteral("Изменения штатного расписания")},
                                    {TitleLine::Caption, QStringLiteral("за март 2024 г.")}});
            const TitleBlock closing(
                medium, {{TitleLine::Note, QStringLiteral("Составил: инспектор отдела кадров")}});
            writeTablePdf(medium,
                          {QStringLiteral("Изменения"),
                           {{changeColumns(), changeRows(120, &visits)}},
                           &title,
                           &closing},
                          path);
        }
        QCOMPARE(visits, 2);
        const QStringList sheets = pdfSheetTexts(path);
        QVERIFY2(sheets.size() >= 3, qPrintable(sheets.join(u'\f')));
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const QString& sheet = sheets.at(i);
            QVERIFY2(onOneLine(sheet, {QStringLiteral("Было"), QStringLiteral("Стало")}), qPrintable(sheet));
            QVERIFY2(onOneLine(sheet, {QStringLiteral("Дата"), QStringLiteral("Должность")}),
                     qPrintable(sheet));
            QVERIFY2(onOneLine(sheet, {QStringLiteral("Ставки"), QStringLiteral("Оклад"),
                                       QStringLiteral("Ставки"), QStringLiteral("Оклад")}),
                     qPrintable(sheet));
            QVERIFY2(sheet.contains(QStringLiteral("Лист %1 из %2").arg(i + 1).arg(sheets.size())),
                     qPrintable(sheet));
            QCOMPARE(sheet.contains(QStringLiteral("за март 2024 г.")), i == 0);
            QCOMPARE(sheet.contains(QStringLiteral("Составил: инспектор отдела кадров")),
                     i == sheets.size() - 1);
        }
        const QString text = sheets.join(u'\n');
        for (const QStringList& parts : QList<QStringList>{
                 {QStringLiteral("Кафедра физики")},
                 {QStringLiteral("01.02.2024"), QStringLiteral("Доцент 120"), QStringLiteral("1"),
                  QStringLiteral("40 000,00"), QStringLiteral("0,5"), QStringLiteral("20 000,00")},
                 {QStringLiteral("Всего изменений: 120")},
             })
            QVERIFY2(onOneLine(text, parts), qPrintable(parts.join(u'|')));
    }

    // A second table begins a sheet of its own under its own headings, and the sheets are numbered through.
    void drawsTablesOneAfterAnother_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("units");
        QTest::newRow("short tables") << 3 << 4;
        QTest::newRow("long tables") << 70 << 90;
    }
    void drawsTablesOneAfterAnother()
    {
        QFETCH(int, lines);
        QFETCH(int, units);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("two.pdf"));
        int visits = 0;
        {
            SheetMedium medium;
            const TitleBlock title(medium,
                                   {{TitleLine::Title, QStringLiteral("Изменения штатного расписания")}});
            const TitleBlock closing(medium, {{TitleLine::Note, QStringLiteral("Составил: инспектор")}});
            writeTablePdf(
                medium,
                {QStringLiteral("Изменения"),
                 {{changeColumns(), changeRows(lines, &visits)}, {figureColumns(), figureRows(units)}},
                 &title,
                 &closing},
                path);
        }
        const QStringList sheets = pdfSheetTexts(path);
        const auto firstOfSecond = std::find_if(sheets.begin(), sheets.end(), [](const QString& sheet) {
            return sheet.contains(QStringLiteral("На начало"));
        });
        QVERIFY(firstOfSecond != sheets.begin() && firstOfSecond != sheets.end());
        QVERIFY2(firstOfSecond->contains(QStringLiteral("Кафедра 1 ")), qPrintable(*firstOfSecond));
        for (auto sheet = sheets.begin(); sheet != sheets.end(); ++sheet) {
            const bool second = sheet >= firstOfSecond;
            QCOMPARE(onOneLine(*sheet, {QStringLiteral("На начало"), QStringLiteral("На конец")}), second);
            QCOMPARE(sheet->contains(QStringLiteral("Было")), !second);
            QCOMPARE(sheet->contains(QStringLiteral("Кафедра физики")), sheet == sheets.begin());
            QVERIFY(sheet->contains(
                QStringLiteral("Лист %1 из %2").arg(sheet - sheets.begin() + 1).arg(sheets.size())));
        }
        QVERIFY(sheets.last().contains(QStringLiteral("Кафедра %1 ").arg(units)));
        QVERIFY(sheets.last().contains(QStringLiteral("Составил: инспектор")));
        QVERIFY(sheets.at(firstOfSecond - sheets.begin() - 1)
                    .contains(QStringLiteral("Всего изменений: %1").arg(lines)));
    }
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(TablePdfTest)
#include "tst_tablepdf.moc"
