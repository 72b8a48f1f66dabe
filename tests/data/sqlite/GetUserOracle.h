#pragma once

#include "platform/Cp1251.h"

#include <QCryptographicHash>
#include <QString>

// The client's side of GET_USER, written out again so the engine's procedure is checked against the rule,
// not against its own code.
namespace getuseroracle {

// The digest the client sends: MD5 of the Windows-1251 bytes, upper-case hex.
inline QString digest(const QString& password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(zeb::cp1251::encode(password), QCryptographicHash::Md5).toHex().toUpper());
}

// The client's reading of an account GET_USER hands out: every byte plus one.
inline QString unscrambled(const QString& text)
{
    QByteArray bytes = zeb::cp1251::encode(text);
    for (char& byte : bytes)
        byte = char(static_cast<unsigned char>(byte) + 1);
    return zeb::cp1251::decode(bytes);
}

} // namespace getuseroracle
