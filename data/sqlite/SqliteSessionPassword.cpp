#include "data/sqlite/SqliteSessionPassword.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace zeb::sqlitesession {

namespace {

constexpr int passwordLength = 20;

} // namespace

QString newPassword()
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int alphabetSize = int(sizeof(alphabet)) - 1;
    QString password;
    password.reserve(passwordLength);
    for (int i = 0; i < passwordLength; ++i)
        password.append(QLatin1Char(alphabet[QRandomGenerator::system()->bounded(alphabetSize)]));
    return password;
}

QString digest(const QString& password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256).toHex());
}

} // namespace zeb::sqlitesession
