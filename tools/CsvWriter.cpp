#include "tools/CsvWriter.h"

#include "data/ResultCursor.h"

#include <QDateTime>
#include <QIODevice>
#include <QLocale>

namespace zeb {

namespace {

QByteArray quotedIfNeeded(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.isEmpty() && !utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\r') &&
        !utf8.contains('\n'))
        return utf8;
    QByteArray quoted = utf8;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QString timeText(QTime time)
{
    return time.toString(time.msec() == 0 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace

QByteArray csvField(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? "1" : "0";
    case QMetaType::Float:
    case QMetaType::Double:
        return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate).toUtf8();
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return (dateTime.date().toString(Qt::ISODate) + QLatin1Char('T') + timeText(dateTime.time()))
            .toUtf8();
    }
    case QMetaType::QTime:
        return timeText(value.toTime()).toUtf8();
    case QMetaType::QByteArray:
        return "0x" + value.toByteArray().toHex().toUpper();
    case QMetaType::QString:
        return quotedIfNeeded(value.toString());
    default:
        break;
    }
    // Integers of every width print as they are; anything else as its text.
    return quotedIfNeeded(value.toString());
}

void writeCsv(ResultCursor& rows, QIODevice& out)
{
    const ColumnList& columns = rows.columns();
    QByteArray line;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line += ',';
        line += quotedIfNeeded(columns.at(i).name);
    }
    out.write(line + "\r\n");
    while (rows.next()) {
        line.clear();
        for (int i = 0; i < int(columns.size()); ++i) {
            if (i > 0)
                line += ',';
            line += csvField(rows.value(i));
        }
        out.write(line + "\r\n");
    }
}

} // namespace zeb
