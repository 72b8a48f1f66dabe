#include "ConnectionString.h"

namespace zeb {

QString buildConnectionString(const TFirstConnectInfo& info)
{
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
