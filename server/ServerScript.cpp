#include "server/ServerScript.h"

#include "platform/Error.h"
#include "server/TextSubstitution.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#if !defined(ZEB_INSTALLED_SCRIPTS) || !defined(ZEB_SOURCE_SCRIPTS)
#error "the build names the installed and the source folder of the scripts"
#endif

namespace zeb {

namespace {

QString fileName(ServerScript script)
{
    switch (script) {
    case ServerScript::SqliteSchema:
        return QStringLiteral("sqlite/schema.sql");
    case ServerScript::PgSchema:
        return QStringLiteral("pg/schema.sql");
    case ServerScript::PgProcedures:
        return QStringLiteral("pg/procedures.sql");
    case ServerScript::PgAccounts:
        return QStringLiteral("pg/accounts.sql");
    case ServerScript::PgUpgrade:
        return QStringLiteral("pg/upgrade.sql");
    case ServerScript::MssqlDatabase:
        return QStringLiteral("mssql/database.sql");
    case ServerScript::MssqlSchema:
        return QStringLiteral("mssql/schema.sql");
    case ServerScript::MssqlProcedures:
        return QStringLiteral("mssql/procedures.sql");
    case ServerScript::MssqlAccounts:
        return QStringLiteral("mssql/accounts.sql");
    case ServerScript::MssqlUpgrade:
        return QStringLiteral("mssql/upgrade.sql");
    case ServerScript::Reference:
        return QStringLiteral("reference.sql");
    case ServerScript::SqliteHistory:
        return QStringLiteral("sqlite/history.sql");
    case ServerScript::PgHistory:
        return QStringLiteral("pg/history.sql");
    case ServerScript::MssqlHistory:
        return QStringLiteral("mssql/history.sql");
    }
    Q_UNREACHABLE();
}

} // namespace

QString serverScriptFolder()
{
    const QString installed = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ZEB_INSTALLED_SCRIPTS)));
    return QFileInfo::exists(installed) ? installed : QStringLiteral(ZEB_SOURCE_SCRIPTS);
}

QString serverScript(ServerScript script, const QHash<QString, QString>& values)
{
    const QString path = QDir(serverScriptFolder()).filePath(fileName(script));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось прочитать сценарий установки «%1»: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
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
