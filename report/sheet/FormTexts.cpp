#include "report/sheet/FormTexts.h"

#include "data/dataset/ValueText.h"

#include <QStringList>
#include <array>

namespace zeb::formtexts {

QString unitsText(double units)
{
    const qint64 hundredths = unitHundredths(units);
    const qint64 whole = std::abs(hundredths) / 100;
    return QStringLiteral("%1%2,%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(std::abs(hundredths) % 100, 2, 10, QLatin1Char('0'));
}

QString postText(const ReportLine& line)
{
    QStringList parts;
    if (!line.post.isEmpty())
        parts.append(line.post);
    if (!line.payGrade.isEmpty())
        parts.append(QStringLiteral("разряд ") + line.payGrade);
    if (!line.category.isEmpty())
        parts.append(line.category);
    return parts.join(QStringLiteral(", "));
}

QString orderText(const ReportLine& line)
{
    QString text = line.orderNumber;
    if (line.orderDate.isValid()) {
        if (!text.isEmpty())
            text += u' ';
        text += QStringLiteral("от ") + dateText(line.orderDate);
    }
    return text;
}

QString hourlyFundText(const QVariant& fund)
{
    return valuetext::toDisplay(fund, FieldType::Float, QStringLiteral("0.##"));
}

QString quotedDate(const QDate& date)
{
    static const std::array<QStringView, 12> months = {
        u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
        u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря",
    };
    if (!date.isValid())
        return QStringLiteral("«___» ____________ 20___ г.");
    return QStringLiteral("«%1» %2 %3 г.")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(months.at(size_t(date.month() - 1)))
        .arg(date.year());
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace zeb::formtexts
