#include "server/RandomPassword.h"

#include <QRandomGenerator>

namespace zeb {

QString randomPassword(int length)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int alphabetSize = int(sizeof(alphabet)) - 1;
    QString password;
    password.reserve(length);
    for (int i = 0; i < length; ++i)
        password.append(QLatin1Char(alphabet[QRandomGenerator::system()->bounded(alphabetSize)]));
    return password;
}

} // namespace zeb
