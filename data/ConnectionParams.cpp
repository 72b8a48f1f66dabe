#include "data/ConnectionParams.h"

#include <QStringList>

namespace zeb {

ConnectionParams ConnectionParams::parse(const QString& connectionString)
{
    ConnectionParams params;
    const QStringList pairs = connectionString.split(QLatin1Char(';'));
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = pair.left(equals).trimmed();
        const QString value = pair.mid(equals + 1);
        if (key.compare(QLatin1String("User ID"), Qt::CaseInsensitive) == 0)
            params.userId = value;
        else if (key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0)
            params.password = value;
        else if (key.compare(QLatin1String("Initial Catalog"), Qt::CaseInsensitive) == 0)
            params.initialCatalog = value;
        else if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            params.dataSource = value;
    }
    return params;
}

EngineKind ConnectionParams::engineKind() const
{
    if (dataSource.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive))
        return EngineKind::Sqlite;
    if (dataSource.startsWith(QLatin1String("pg:"), Qt::CaseInsensitive))
        return EngineKind::Postgres;
    return EngineKind::SqlServer;
}

} // namespace zeb
