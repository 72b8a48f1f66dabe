#include "controls/TypedDate.h"

#include <QRegularExpression>

namespace zeb {

QDate typedDate(const QString& text)
{
    static const QRegularExpression separated(QStringLiteral("^(\\d{1,2})[.,/](\\d{1,2})[.,/](\\d{4})$"));
    static const QRegularExpression digitsOnly(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    QRegularExpressionMatch match = separated.match(text.trimmed());
    if (!match.hasMatch())
        match = digitsOnly.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

} // namespace zeb
