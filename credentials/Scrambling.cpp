#include "credentials/Scrambling.h"

#include "platform/Cp1251.h"

namespace zeb {

namespace {

QByteArray shifted(QByteArray bytes, int delta)
{
    for (char& byte : bytes)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + delta);
    return bytes;
}

} // namespace

QByteArray unscramble(const QByteArray& bytes)
{
    return shifted(bytes, 1);
}

QByteArray scramble(const QByteArray& bytes)
{
    return shifted(bytes, -1);
}

QString unscramble(const QString& text)
{
    return cp1251::decode(unscramble(cp1251::encode(text)));
}

QString scramble(const QString& text)
{
    return cp1251::decode(scramble(cp1251::encode(text)));
}

} // namespace zeb
