#include "tests/report/XlsxContents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"si")
            current.clear();
        else if (reader.isStartElement() && reader.name() == u"t")
            current += reader.readElementText();
        else if (reader.isEndElement() && reader.name() == u"si")
            strings.append(current);
    }
    return strings;
}

// The number format of every cell style, by the style's index.
QStringList styleFormats(const QByteArray& xml)
{
    QMap<int, QString> codes = {{2, QStringLiteral("0.00")}, {4, QStringLiteral("#,##0.00")}};
    QStringList formats;
    bool inCellStyles = false;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"numFmt")
            codes.insert(reader.attributes().value(QLatin1String("numFmtId")).toInt(),
                         reader.attributes().value(QLatin1String("formatCode")).toString());
        else if (reader.isStartElement() && reader.name() == u"cellXfs")
            inCellStyles = true;
        else if (reader.isEndElement() && reader.name() == u"cellXfs")
            inCellStyles = false;
        else if (inCellStyles && reader.isStartElement() && reader.name() == u"xf")
            formats.append(codes.value(reader.attributes().value(QLatin1String("numFmtId")).toInt()));
    }
    return formats;
}

void readCells(const QByteArray& xml, const QStringList& strings, const QStringList& formats,
               XlsxContents& contents)
{
    QXmlStreamReader reader(xml);
    QString reference;
    XlsxCell cell;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            if (reader.isEndElement() && reader.name() == u"c") {
                if (cell.type == u"s")
                    cell.value = strings.value(cell.value.toInt());
                contents.cells.insert(reference, cell);
            }
            continue;
        }
        const QStringView name = reader.name();
        if (name == u"c") {
            reference = reader.attributes().value(QLatin1String("r")).toString();
            cell = XlsxCell{reader.attributes().value(QLatin1String("t")).toString(),
                            {},
                            {},
                            formats.value(reader.attributes().value(QLatin1String("s")).toInt())};
        } else if (name == u"v") {
            cell.value = reader.readElementText();
        } else if (name == u"f") {
            cell.formula = reader.readElementText();
        } else if (name == u"t") {
            cell.value += reader.readElementText();
        } else if (name == u"mergeCell") {
            contents.mergedRanges.append(reader.attributes().value(QLatin1String("ref")).toString());
        }
    }
}

QMap<QString, QString> definedNames(const QByteArray& xml)
{
    QMap<QString, QString> names;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"definedName") {
            const QString name = reader.attributes().value(QLatin1String("name")).toString();
            names.insert(name, reader.readElementText());
        }
    }
    return names;
}

} // namespace

QByteArray xlsxPart(const QString& path, const QString& part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, part});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

bool replaceXlsxPart(const QString& path, const QString& part, const QByteArray& bytes)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QFileInfo(part).path());
    QFile file(folder.filePath(part));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    QProcess zip;
    zip.setWorkingDirectory(folder.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-q"), QFileInfo(path).absoluteFilePath(), part});
    return zip.waitForFinished(60000) && zip.exitCode() == 0;
}

XlsxContents readXlsx(const QString& path)
{
    XlsxContents contents;
    const QByteArray sheet = xlsxPart(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray book = xlsxPart(path, QStringLiteral("xl/workbook.xml"));
    if (sheet.isEmpty() || book.isEmpty()) {
        contents.error = QStringLiteral("no sheet or book in %1").arg(path);
        return contents;
    }
    // A book written row by row keeps its texts in the cells, without a shared table.
    readCells(sheet, sharedStrings(xlsxPart(path, QStringLiteral("xl/sharedStrings.xml"))),
              styleFormats(xlsxPart(path, QStringLiteral("xl/styles.xml"))), contents);
    contents.definedNames = definedNames(book);
    contents.sheetXml = QString::fromUtf8(sheet);
    return contents;
}
