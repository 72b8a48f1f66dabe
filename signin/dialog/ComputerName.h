#pragma once

#include <QByteArray>

namespace zeb {

// The workstation's computer name as the system's query leaves it in a zero-filled buffer of `bufferSize`
// bytes: its Windows-1251 bytes up to the first zero byte, at most bufferSize - 1 of them.
QByteArray computerNameBytes(qsizetype bufferSize);

} // namespace zeb
