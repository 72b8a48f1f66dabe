#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What a spreadsheet file holds, read from its parts with `unzip`: the cells of its first sheet, the merged
// ranges, the print titles and the page setup.
struct XlsxCell
{
    // "s" shared text, "inlineStr", "str" a formula's text, "n" a number (the default), "b"...
    QString type;
    // The text or the number as written; a formula's last value.
    QString value;
    // Without the leading "=".
    QString formula;
    // The number format of the cell's style ("0.00", "#,##0.00"), empty for the general one.
    QString numberFormat;

    bool isText() const { return formula.isEmpty() && (type == u"s" || type == u"inlineStr"); }
    bool isNumber() const { return formula.isEmpty() && (type.isEmpty() || type == u"n"); }
};

struct XlsxContents
{
    // By reference: "A1", "M12".
    QMap<QString, XlsxCell> cells;
    QStringList mergedRanges;
    // The defined names of the book, "_xlnm.Print_Titles" among them, with their formulas.
    QMap<QString, QString> definedNames;
    // The sheet's XML as written, for its page setup and footer.
    QString sheetXml;
    QString error;

    QString text(const QString& reference) const { return cells.value(reference).value; }
};

XlsxContents readXlsx(const QString& path);

// The bytes of one part of the archive.
QByteArray xlsxPart(const QString& path, const QString& part);
// Replaces one part of the archive with `bytes`; false when zip fails.
bool replaceXlsxPart(const QString& path, const QString& part, const QByteArray& bytes);
