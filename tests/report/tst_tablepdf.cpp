#include "report/sheet/SheetMedium.h"
#include "report/sheet/TablePdf.h"
#include "report/sheet/TitleBlock.h"
#include "tests/report/PdfSheets.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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

bool onOneLine(const QString& text, const QStringList& parts)
{
    QStringList escaped;
    for (const QString& part : parts)
        escaped.append(QRegularExpression::escape(part));
    return QRegularExpression(escaped.join(QStringLiteral("[ \\x{00A0}]+"))).match(text).hasMatch();
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
            writeTablePdf(
                medium,
                {QStringLiteral("Изменения"), changeColumns(), changeRows(120, &visits), &title, &closing},
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
};

// Drawing the PDF needs the fonts of a GUI application.
QTEST_MAIN(TablePdfTest)
#include "tst_tablepdf.moc"
