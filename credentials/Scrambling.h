#pragma once

#include <QByteArray>
#include <QString>

namespace zeb {

// The settings file and the GET_USER answer keep account names and passwords with every byte lowered by one.
// unscramble adds one to every byte (0xFF becomes a zero byte), scramble subtracts one; both modulo 256.
QByteArray unscramble(const QByteArray& bytes);
QByteArray scramble(const QByteArray& bytes);

// The same over the Windows-1251 bytes of a text.
QString unscramble(const QString& text);
QString scramble(const QString& text);

} // namespace zeb
