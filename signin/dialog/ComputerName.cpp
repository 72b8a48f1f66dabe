#include "signin/dialog/ComputerName.h"

#include "platform/Cp1251.h"
#include "platform/seam/Platform.h"

namespace zeb {

QByteArray computerNameBytes(qsizetype bufferSize)
{
    QByteArray bytes = cp1251::encode(Platform::instance().computerName());
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    bytes.truncate(qMax<qsizetype>(0, bufferSize - 1));
    return bytes;
}

} // namespace zeb
