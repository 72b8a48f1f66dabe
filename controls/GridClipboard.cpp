#include "controls/GridClipboard.h"

namespace zeb::gridclipboard {

QString toText(const QList<QStringList>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList& row : rows)
        lines.append(row.join(QLatin1Char('\t')));
    return lines.join(QLatin1Char('\n'));
}

QList<QStringList> fromText(const QString& text)
{
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    if (plain.endsWith(QLatin1Char('\n')))
        plain.chop(1);
    QList<QStringList> rows;
    if (plain.isEmpty())
        return rows;
    for (const QString& line : plain.split(QLatin1Char('\n')))
        rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

} // namespace zeb::gridclipboard
