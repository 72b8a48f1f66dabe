#include "tools/FormOptions.h"

#include "tools/Arguments.h"

#include <QRegularExpression>

namespace zeb::formoptions {

namespace {

// Money::parse keeps up to 15 digits before the point; the column keeps 10.
constexpr qint64 LargestSalary = 999999999999;

} // namespace

UnitCodeSetting unitCode(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([OFKofk])\\s*:\\s*(\\d{1,9})\\s*=(.*)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        throw UsageError(
            QStringLiteral("значение --unit-code «%1» не распознано: ожидается ВИД:НОМЕР=КОД, где "
                           "ВИД — O (отдел), F (факультет) или K (кафедра), например K:12=04.1.")
                .arg(text));
    UnitCodeSetting setting;
    setting.kind = *UnitCodes::kindOf(match.captured(1).at(0));
    setting.key = match.captured(2).toLongLong();
    setting.code = limited(QStringLiteral("--unit-code"), match.captured(3).trimmed(), 20);
    return setting;
}

SalarySetting salary(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,9})\\s*:\\s*([0-9.]+)\\s*=(.*)$"));
    const QRegularExpressionMatch match = form.match(text);
    const QDate from =
        match.hasMatch() ? QDate::fromString(match.captured(2), QStringLiteral("dd.MM.yyyy")) : QDate();
    const QString amount = match.captured(3).trimmed();
    const std::optional<Money> money = amount.isEmpty() ? std::nullopt : Money::parse(amount);
    if (!match.hasMatch() || !from.isValid() || match.captured(1).toLongLong() < 1 ||
        (!amount.isEmpty() && !money))
        throw UsageError(
            QStringLiteral("значение --salary «%1» не распознано: ожидается "
                           "РАЗРЯД:ДД.ММ.ГГГГ=СУММА, например 5:01.09.2025=24640,50 (разряд — целое "
                           "число от 1, сумма в рублях с копейками; без суммы оклад удаляется).")
                .arg(text));
    if (money && money->kopecks() < 0)
        throw UsageError(QStringLiteral("оклад в --salary «%1» не может быть отрицательным.").arg(text));
    if (money && money->kopecks() > LargestSalary)
        throw UsageError(
            QStringLiteral("оклад в --salary «%1» больше наибольшего, который хранит база данных "
                           "(%2 руб.).")
                .arg(text, Money::fromKopecks(LargestSalary).toText()));
    return {match.captured(1).toLongLong(), from, money};
}

QString okpo(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^(\\d{8}|\\d{10})$"));
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && !digits.match(trimmed).hasMatch())
        throw UsageError(
            QStringLiteral("код ОКПО «%1» не подходит: нужны 8 цифр (10 у индивидуального предпринимателя).")
                .arg(text));
    return trimmed;
}

QString limited(const QString& option, const QString& text, int size)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() > size)
        throw UsageError(
            QStringLiteral("значение %1 «%2» длиннее %3 символов.").arg(option, trimmed).arg(size));
    return trimmed;
}

QString unitText(UnitCodes::Kind kind, qint64 key)
{
    return QStringLiteral("%1:%2").arg(UnitCodes::letterOf(kind)).arg(key);
}

} // namespace zeb::formoptions
