#include "data/dataset/ValueText.h"

#include "data/dataset/DecimalText.h"
#include "platform/Error.h"
#include "data/dataset/TemporalText.h"

#include <QDateTime>

namespace zeb::valuetext {

namespace {

// From the date and time as they read: a local value in a daylight-saving gap is invalid, yet shown.
QString dateTimeText(const QDateTime& value)
{
    const QString date = value.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (value.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + value.time().toString(QStringLiteral("HH:mm:ss"));
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

QString decimalText(const QByteArray& number)
{
    return QString::fromUtf8(number).replace(QLatin1Char('.'), QLatin1Char(','));
}

// The same format applied to a decimal's exact digits, rounded half away from zero.
QString formattedDecimal(const QByteArray& number, const QString& format)
{
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(format.size() - point - 1);
    const int required = point < 0 ? 0 : int(format.mid(point + 1).count(QLatin1Char('0')));
    QByteArray text = decimal::rounded(number, decimals);
    const int shown = decimal::scaleOf(text);
    if (shown < required)
        text += (shown == 0 ? QByteArray(".") : QByteArray()) + QByteArray(required - shown, '0');
    return decimalText(text);
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
        // Read as the wall clock: a time in the local daylight-saving gap is invalid in local time.
        const QDateTime local = QDateTime::fromString(dotted, format);
        if (local.date().isValid() && local.time().isValid()) {
            QDate date = local.date();
            if (format == QLatin1String("d.M.yy") && date.year() < 1950)
                date = date.addYears(100);
            return temporal::wallClock(date, local.time());
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
        if (type == FieldType::Decimal) {
            const QByteArray number = decimal::plain(normal.toLatin1());
            if (number.isEmpty())
                invalid(text, QStringLiteral("число, например 1,5"));
            return QString::fromLatin1(number);
        }
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

QVariant decimalValue(const QVariant& value)
{
    const QByteArray number = decimal::ofVariant(value);
    if (number.isEmpty())
        invalid(value.toString(), QStringLiteral("число, например 1,5"));
    return QString::fromLatin1(number);
}

void checkDecimalFits(const QString& text, const QVariant& number, int precision, int scale)
{
    if (precision <= 0 || number.isNull() || decimal::fits(number.toString().toLatin1(), precision, scale))
        return;
    if (scale == 0)
        invalid(text, QStringLiteral("целое число, не более %1 цифр").arg(precision));
    invalid(text, QStringLiteral("число, у которого не более %1 цифр до запятой и %2 после")
                      .arg(precision - scale)
                      .arg(scale));
}

QString toText(const QVariant& value, FieldType type)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Float:
        return numberText(value.toDouble());
    case FieldType::Decimal:
        if (const QByteArray number = decimal::ofVariant(value); !number.isEmpty())
            return decimalText(number);
        break;
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
    if (value.isNull() || format.isEmpty())
        return toText(value, type);
    if (type == FieldType::Float)
        return formatted(value.toDouble(), format);
    if (type == FieldType::Decimal) {
        if (const QByteArray number = decimal::ofVariant(value); !number.isEmpty())
            return formattedDecimal(number, format);
    }
    return toText(value, type);
}

} // namespace zeb::valuetext
