#include "ValueText.h"

#include "Error.h"

#include <QDateTime>

namespace zeb::valuetext {

namespace {

QString dateTimeText(const QDateTime& value)
{
    if (value.time() == QTime(0, 0))
        return value.date().toString(QStringLiteral("dd.MM.yyyy"));
    return value.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString numberText(double value)
{
    QString text = QString::number(value, 'g', 15);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

// "0.##": at most as many decimals as the format has '#' or '0' after its point, trailing zeros cut
// where the format says '#'.
QString formatted(double value, const QString& format)
{
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(format.size() - point - 1);
    const int required = point < 0 ? 0 : int(format.mid(point + 1).count(QLatin1Char('0')));
    QString text = QString::number(value, 'f', decimals);
    if (decimals > 0) {
        qsizetype end = text.size();
        while (end > text.size() - decimals + required && text[end - 1] == QLatin1Char('0'))
            --end;
        if (text[end - 1] == QLatin1Char('.'))
            --end;
        text.truncate(end);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QDateTime parseDateTime(const QString& text)
{
    static const QStringList formats = {
        QStringLiteral("d.M.yyyy H:m:s"),
        QStringLiteral("d.M.yyyy H:m"),
        QStringLiteral("d.M.yyyy"),
        QStringLiteral("yyyy-MM-dd HH:mm:ss"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
        QStringLiteral("yyyy-MM-dd"),
        QStringLiteral("d.M.yy"),
    };
    // The grid turns every typed point into a comma, so dates arrive as 01,02,2024 too.
    const QString dotted = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
    for (const QString& format : formats) {
        QDateTime value = QDateTime::fromString(dotted, format);
        if (value.isValid()) {
            if (format == QLatin1String("d.M.yy") && value.date().year() < 1950)
                value = value.addYears(100);
            return value;
        }
    }
    return {};
}

[[noreturn]] void invalid(const QString& text, const QString& expected)
{
    throw Error(QStringLiteral("«%1» не подходит: нужно ввести %2.").arg(text, expected));
}

} // namespace

QVariant parse(const QString& text, FieldType type)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() && type != FieldType::Text && type != FieldType::Memo)
        return {};
    bool ok = false;
    switch (type) {
    case FieldType::Boolean: {
        const QString lower = trimmed.toLower();
        if (lower == QLatin1String("true") || lower == QLatin1String("1") || lower == QLatin1String("да"))
            return true;
        if (lower == QLatin1String("false") || lower == QLatin1String("0") || lower == QLatin1String("нет"))
            return false;
        invalid(text, QStringLiteral("«да» или «нет»"));
    }
    case FieldType::Integer: {
        const qint64 value = trimmed.toLongLong(&ok);
        if (!ok)
            invalid(text, QStringLiteral("целое число"));
        return value;
    }
    case FieldType::Float:
    case FieldType::Decimal: {
        QString normal = trimmed;
        normal.remove(QLatin1Char(' ')).remove(QChar(0x00A0)).replace(QLatin1Char(','), QLatin1Char('.'));
        const double value = normal.toDouble(&ok);
        if (!ok)
            invalid(text, QStringLiteral("число, например 1,5"));
        return value;
    }
    case FieldType::Date: {
        const QDateTime value = parseDateTime(trimmed);
        if (!value.isValid())
            invalid(text, QStringLiteral("дату в виде ДД.ММ.ГГГГ"));
        return value.date();
    }
    case FieldType::DateTime: {
        const QDateTime value = parseDateTime(trimmed);
        if (!value.isValid())
            invalid(text, QStringLiteral("дату в виде ДД.ММ.ГГГГ, можно со временем ЧЧ:ММ"));
        return value;
    }
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
    case FieldType::Binary:
        break;
    }
    return text;
}

QString toText(const QVariant& value, FieldType type)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Float:
    case FieldType::Decimal:
        return numberText(value.toDouble());
    case FieldType::Date:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case FieldType::DateTime:
        return dateTimeText(value.toDateTime());
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Integer:
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
    case FieldType::Binary:
        break;
    }
    if (value.typeId() == QMetaType::Double)
        return numberText(value.toDouble());
    if (value.typeId() == QMetaType::QDateTime)
        return dateTimeText(value.toDateTime());
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    return value.toString();
}

QString toDisplay(const QVariant& value, FieldType type, const QString& format)
{
    if (!value.isNull() && !format.isEmpty() && (type == FieldType::Float || type == FieldType::Decimal))
        return formatted(value.toDouble(), format);
    return toText(value, type);
}

} // namespace zeb::valuetext
