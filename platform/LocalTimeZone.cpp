#include "platform/LocalTimeZone.h"

#include <QByteArray>
#include <QtGlobal>

namespace zeb {

void pinLocalTimeZone()
{
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
#endif
}

} // namespace zeb
