#include "data/NativeSql.h"

namespace zeb::nativesql {

QString placeholder(EngineKind engine, int index)
{
    if (engine == EngineKind::Postgres)
        return QLatin1Char('$') + QString::number(index + 1);
    return QStringLiteral("?");
}

QString quoteIdentifier(EngineKind engine, const QString& name)
{
    switch (engine) {
    case EngineKind::Postgres: {
        QString folded = name.toLower();
        return QLatin1Char('"') + folded.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    }
    case EngineKind::Sqlite: {
        QString quoted = name;
        return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    }
    case EngineKind::SqlServer:
        break;
    }
    QString quoted = name;
    return QLatin1Char('[') + quoted.replace(QLatin1Char(']'), QLatin1String("]]")) + QLatin1Char(']');
}

} // namespace zeb::nativesql
