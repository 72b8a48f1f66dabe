#include "data/pg/PgSslMode.h"

#include "data/DatabaseError.h"

#include <QStringList>

namespace zeb {

QByteArray pgSslMode()
{
    static const QStringList modes{QStringLiteral("require"),     QStringLiteral("verify-ca"),
                                   QStringLiteral("verify-full"), QStringLiteral("prefer"),
                                   QStringLiteral("allow"),       QStringLiteral("disable")};
    const QString chosen = qEnvironmentVariable("ZEB_PG_SSLMODE").trimmed().toLower();
    if (chosen.isEmpty())
        return QByteArrayLiteral("require");
    if (modes.contains(chosen))
        return chosen.toLatin1();
    throw DatabaseError(
        QStringLiteral("Переменная окружения ZEB_PG_SSLMODE задана как «%1»: допустимы require (по "
                       "умолчанию), verify-ca, verify-full, prefer, allow или disable.")
            .arg(qEnvironmentVariable("ZEB_PG_SSLMODE")));
}

} // namespace zeb
