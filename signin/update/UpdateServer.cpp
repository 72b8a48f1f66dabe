#include "signin/update/UpdateServer.h"

#include "platform/Cp1251.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>

namespace zeb {

QString UpdateServer::configPath(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("Data/update-server.txt"));
}

QString UpdateServer::baseAddress(const QString& home)
{
    QFile file(configPath(home));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Не удалось прочитать файл «%1»: %2")
                          .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    QString address = cp1251::decode(file.readLine()).trimmed();
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

} // namespace zeb
