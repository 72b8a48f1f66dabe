#include "server/ServerScript.h"

#include "platform/Error.h"
#include "server/TextSubstitution.h"

#include <QFile>
#include <QRegularExpression>

// Resources of a static library are registered by hand; the name is that of server.qrc.
static void registerServerResources()
{
    Q_INIT_RESOURCE(server);
}

namespace zeb {

namespace {

QString resourcePath(ServerScript script)
{
    switch (script) {
    case ServerScript::SqliteSchema:
        return QStringLiteral(":/server/sqlite/schema.sql");
    case ServerScript::PgSchema:
        return QStringLiteral(":/server/pg/schema.sql");
    case ServerScript::PgProcedures:
        return QStringLiteral(":/server/pg/procedures.sql");
    case ServerScript::PgAccounts:
        return QStringLiteral(":/server/pg/accounts.sql");
    case ServerScript::PgUpgrade:
        return QStringLiteral(":/server/pg/upgrade.sql");
    case ServerScript::MssqlDatabase:
        return QStringLiteral(":/server/mssql/database.sql");
    case ServerScript::MssqlSchema:
        return QStringLiteral(":/server/mssql/schema.sql");
    case ServerScript::MssqlProcedures:
        return QStringLiteral(":/server/mssql/procedures.sql");
    case ServerScript::MssqlAccounts:
        return QStringLiteral(":/server/mssql/accounts.sql");
    case ServerScript::MssqlUpgrade:
        return QStringLiteral(":/server/mssql/upgrade.sql");
    case ServerScript::Reference:
        return QStringLiteral(":/server/reference.sql");
    }
    Q_UNREACHABLE();
}

} // namespace

QString serverScript(ServerScript script, const QHash<QString, QString>& values)
{
    static const bool registered = (registerServerResources(), true);
    Q_UNUSED(registered);

    const QString path = resourcePath(script);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Сценарий установки %1 не встроен в программу.").arg(path));
    const QString text = QString::fromUtf8(file.readAll());

    static const QRegularExpression placeholder(QStringLiteral("\\$\\{([A-Z_]+)\\}"));
    return substituted(text, placeholder, [&](const QRegularExpressionMatch& match) {
        const QString name = match.captured(1);
        const auto value = values.constFind(name);
        if (value == values.constEnd())
            throw Error(QStringLiteral("Сценарий установки %1 требует значение ${%2}, которое не задано.")
                            .arg(path, name));
        return *value;
    });
}

} // namespace zeb
