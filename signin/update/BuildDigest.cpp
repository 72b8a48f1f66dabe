#include "signin/update/BuildDigest.h"

#include "platform/Error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace zeb {

QString fileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file) || file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Не удалось прочитать файл «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    return QString::fromLatin1(hash.result().toHex());
}

bool isPublishedBuild(const QString& path, const QString& publishedDigest)
{
    if (publishedDigest.isEmpty())
        return false;
    return fileSha256(path).compare(publishedDigest, Qt::CaseInsensitive) == 0;
}

} // namespace zeb
