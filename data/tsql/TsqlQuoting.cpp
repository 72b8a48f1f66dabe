#include "data/tsql/TsqlQuoting.h"

#include "data/TsqlText.h"

namespace zeb {

namespace {

bool isPlainPostgresName(const QString& name)
{
    if (name.isEmpty() || (name.front() >= u'0' && name.front() <= u'9'))
        return false;
    for (QChar c : name) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
        if (!plain)
            return false;
    }
    return true;
}

} // namespace

QString quotedIdentifier(const QString& name, SqlDialect dialect)
{
    QString text = dialect == SqlDialect::Postgres ? name.toLower() : name;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

QString postgresName(const QString& name)
{
    const QString lower = name.toLower();
    return isPlainPostgresName(lower) ? lower : quotedIdentifier(lower, SqlDialect::Postgres);
}

QString stringLiteral(const QString& text, SqlDialect dialect)
{
    if (dialect != SqlDialect::Postgres || !text.contains(u'\\'))
        return tsqlStringLiteral(text);
    QString body = text;
    body.replace(u'\'', QStringLiteral("''"));
    body.replace(u'\\', QStringLiteral("\\\\"));
    return QStringLiteral("E'") + body + u'\'';
}

} // namespace zeb
