#include "credentials/PasswordDigest.h"

#include "platform/Cp1251.h"

#include <QCryptographicHash>

namespace zeb {

QString passwordDigest(const QString& password)
{
    const QByteArray digest = QCryptographicHash::hash(cp1251::encode(password), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex().toUpper());
}

} // namespace zeb
