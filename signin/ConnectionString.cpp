#include "signin/ConnectionString.h"

#include "platform/Error.h"

namespace zeb {

void checkConnectionValues(const FirstConnectInfo& info)
{
    struct Named
    {
        const QString& value;
        const char* field;
        const char* key;
    };
    const Named values[] = {
        {info.userId, "Имя пользователя", "User ID"},
        {info.password, "Пароль", "Password"},
        {info.initialCatalog, "База данных", "Initial Catalog"},
        {info.dataSource, "Сервер", "Data Source"},
    };
    for (const Named& named : values) {
        if (named.value.contains(QLatin1Char(';')))
            throw Error(
                QStringLiteral("Значение «%1» (%2) содержит точку с запятой «;»: строка подключения "
                               "делится на части точкой с запятой, и такое значение в неё не передать.")
                    .arg(QString::fromUtf8(named.field), QLatin1String(named.key)));
    }
}

QString buildConnectionString(const FirstConnectInfo& info)
{
    checkConnectionValues(info);
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + info.password +
           QStringLiteral(";Persist Security Info=True;User ID=") + info.userId +
           QStringLiteral(";Initial Catalog=") + info.initialCatalog + QStringLiteral(";Data Source=") +
           info.dataSource + QStringLiteral(";Use Procedure for Prepare=1;Auto Translate=True;") +
           QStringLiteral("Packet Size=4096;Use Encryption for Data=False;") +
           QStringLiteral("Tag with column collation when possible=False");
}

QString removeAll(const QString& errorText, const QString& userId)
{
    if (userId.isEmpty())
        return errorText;
    return QString(errorText).remove(userId, Qt::CaseSensitive);
}

} // namespace zeb
