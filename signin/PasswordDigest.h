#pragma once

#include <QString>

namespace zeb {

// What the server gets instead of a password: MD5 of its Windows-1251 bytes as 32 upper-case hex digits.
QString passwordDigest(const QString& password);

} // namespace zeb
