#include "report/FormTexts.h"

#include "data/dataset/ValueText.h"

#include <array>
#include <cmath>

namespace zeb::formtexts {

namespace {

// The month as a date names it: "15 марта".
constexpr std::array<QStringView, 12> monthsOf = {
    u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
    u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря",
};

QString orBlank(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("______") : text;
}

} // namespace

QString dateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    // Written digit by digit: QDate::toString reads its pattern anew for every one of thousands of lines.
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1000 || year > 9999)
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    const char16_t text[10] = {
        char16_t(u'0' + day / 10),    char16_t(u'0' + day % 10),        u'.',
        char16_t(u'0' + month / 10),  char16_t(u'0' + month % 10),      u'.',
        char16_t(u'0' + year / 1000), char16_t(u'0' + year / 100 % 10), char16_t(u'0' + year / 10 % 10),
        char16_t(u'0' + year % 10),
    };
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

QString quotedDate(const QDate& date)
{
    if (!date.isValid())
        return QStringLiteral("«___» __________ 20___ г.");
    return QStringLiteral("«%1» %2 %3 г.")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(monthsOf.at(date.month() - 1))
        .arg(date.year());
}

QString reversedPeriodText(const QDate& from, const QDate& to)
{
    return QStringLiteral("Период указан наоборот: его начало %1 позже конца %2.")
        .arg(dateText(from), dateText(to));
}

QString periodText(const ScheduleReport& report)
{
    const FormDetails& details = report.details;
    QString text = QStringLiteral("на период с ") +
                   quotedDate(details.periodFrom.isValid() ? details.periodFrom : report.asOf);
    if (details.periodTo.isValid())
        text += QStringLiteral(" по ") + quotedDate(details.periodTo);
    return text;
}

QString approvalText(const FormDetails& details)
{
    return QStringLiteral("Приказом организации от %1 № %2")
        .arg(quotedDate(details.approvedOn), orBlank(details.approvalOrder));
}

QString postText(const ReportLine& line)
{
    QString text = line.post;
    const auto add = [&text](const QString& part) {
        if (part.isEmpty())
            return;
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += part;
    };
    add(line.payGrade.isEmpty() ? QString() : line.payGrade + QStringLiteral(" разряд"));
    add(line.category);
    return text;
}

QString entryOrderText(const ReportLine& line)
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

QString unitsText(double units)
{
    const qint64 hundredths = unitHundredths(units);
    const qint64 whole = std::abs(hundredths) / 100;
    return QStringLiteral("%1%2,%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(std::abs(hundredths) % 100, 2, 10, QLatin1Char('0'));
}

QString missingSalaryText(int lines)
{
    if (lines <= 0)
        return {};
    // "для 1 строки", "для 21 строки", but "для 11 строк", "для 3 строк".
    const bool one = lines % 10 == 1 && lines % 100 != 11;
    return QStringLiteral("Оклад не установлен для %1 %2 штатного расписания: графы 5 и 9 в %3 не заполнены.")
        .arg(lines)
        .arg(one ? QStringLiteral("строки") : QStringLiteral("строк"),
             one ? QStringLiteral("ней") : QStringLiteral("них"));
}

} // namespace zeb::formtexts
