#include "server/MssqlAdministration.h"

#include "data/Engine.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "server/MssqlInstallation.h"
#include "server/ServerScript.h"

#include <QRegularExpression>

namespace zeb {

const EngineAdministration& MssqlAdministration::instance()
{
    static const MssqlAdministration administration;
    return administration;
}

QString MssqlAdministration::defaultDatabase() const
{
    return QStringLiteral("ZEB");
}

bool MssqlAdministration::keepsNameCase() const
{
    return true;
}

QString MssqlAdministration::dataSource(const InstallRequest& request) const
{
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z0-9._-]+(,([0-9]{1,5})|\\\\[A-Za-z0-9_$-]+)?$"));
    const QRegularExpressionMatch match = form.match(request.host);
    const int port = match.captured(2).toInt();
    if (!match.hasMatch() || (!match.captured(2).isEmpty() && (port < 1 || port > 65535)))
        throw Error(
            QStringLiteral("Сервер «%1» указан неверно: ожидается «сервер», «сервер,порт» (порт от 1 до "
                           "65535) или «сервер\\экземпляр»; в имени допустимы латинские буквы, цифры, "
                           "«.», «-» и «_».")
                .arg(request.host));
    return request.host;
}

std::unique_ptr<InstallTarget> MssqlAdministration::target(const InstallRequest& request,
                                                           const FirstConnectInfo& settings,
                                                           const QString&) const
{
    return std::make_unique<MssqlInstallation>(request, settings.dataSource,
                                               ServerAccount{settings.userId, settings.password});
}

bool MssqlAdministration::repairAccounts(const FirstConnectInfo& settings, const ServerAccount& admin,
                                         const QString& dataDirectory) const
{
    const std::unique_ptr<Engine> engine = openAdmin(settings, admin, dataDirectory);
    const QHash<QString, QString> values = MssqlInstallation::scriptValues(
        settings.initialCatalog, ServerAccount{settings.userId, settings.password},
        Installation::workRole(settings.initialCatalog));
    runSqlcmdScript(*engine, QStringLiteral("upgrade.sql"), serverScript(ServerScript::MssqlUpgrade), values);
    runSqlcmdScript(*engine, QStringLiteral("procedures.sql"), serverScript(ServerScript::MssqlProcedures),
                    values);
    runSqlcmdScript(*engine, QStringLiteral("accounts.sql"), serverScript(ServerScript::MssqlAccounts),
                    values);
    runSqlcmdScript(*engine, QStringLiteral("history.sql"), serverScript(ServerScript::MssqlHistory), values);
    engine->close();
    return true;
}

} // namespace zeb
