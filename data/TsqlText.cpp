#include "data/TsqlText.h"

#include "platform/Error.h"

namespace zeb {

QString decimalKey(const QVariant& value)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || value.isNull())
        throw Error(
            QStringLiteral("Не выбрано подразделение: «%1» не является кодом.").arg(value.toString()));
    return QString::number(number);
}

QString tsqlStringLiteral(const QString& text)
{
    QString body = text;
    body.replace(u'\'', QStringLiteral("''"));
    return u'\'' + body + u'\'';
}

} // namespace zeb
