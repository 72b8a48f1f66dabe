#include "server/SqliteAdministration.h"

#include "data/Transaction.h"
#include "data/sqlite/SqliteEngine.h"
#include "platform/Error.h"
#include "server/RowExists.h"
#include "server/SqliteInstallation.h"

#include <QDir>
#include <QFileInfo>

namespace zeb {

namespace {

const QString prefix = QStringLiteral("sqlite:");

bool hasColumn(Engine& engine, const QString& table, const QString& column)
{
    return rowExists(engine, QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ?"),
                     {table, column});
}

// A file made before each person had a connection password of their own, builds had digests and the log
// recorded the connection's login: clients cannot open it until this is done.
void upgradeEmbedded(Engine& engine)
{
    QStringList steps;
    if (!hasColumn(engine, QStringLiteral("zeb_users"), QStringLiteral("session_digest")))
        steps.append(QStringLiteral("ALTER TABLE zeb_users ADD COLUMN session_digest CHAR(64)"));
    if (!hasColumn(engine, QStringLiteral("zeb_program"), QStringLiteral("digest")))
        steps.append(QStringLiteral("ALTER TABLE zeb_program ADD COLUMN digest VARCHAR(64)"));
    // The log's triggers (made by `accounts repair`) record the connection's login here.
    if (!hasColumn(engine, QStringLiteral("ZEB_LOG"), QStringLiteral("db_login")))
        steps.append(QStringLiteral("ALTER TABLE ZEB_LOG ADD COLUMN db_login VARCHAR(50)"));
    if (rowExists(engine, QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ?"),
                  {QStringLiteral("zeb_session_account")}))
        steps.append(QStringLiteral("DROP TABLE zeb_session_account"));
    if (steps.isEmpty())
        return;
    Transaction transaction(engine);
    for (const QString& step : std::as_const(steps))
        engine.run(step);
    transaction.commit();
}

} // namespace

const EngineAdministration& SqliteAdministration::instance()
{
    static const SqliteAdministration administration;
    return administration;
}

QString SqliteAdministration::dataSource(const InstallRequest& request) const
{
    return prefix + request.database + QStringLiteral(".db");
}

std::unique_ptr<InstallTarget> SqliteAdministration::target(const InstallRequest& request,
                                                            const FirstConnectInfo&,
                                                            const QString& dataDirectory) const
{
    return std::make_unique<SqliteInstallation>(
        QDir(dataDirectory).absoluteFilePath(request.database + QStringLiteral(".db")));
}

std::unique_ptr<Engine> SqliteAdministration::openAdmin(const FirstConnectInfo& settings,
                                                        const ServerAccount&,
                                                        const QString& dataDirectory) const
{
    // The engine would refuse a missing file too; this names the file the settings point to.
    const QString file = QDir(dataDirectory).absoluteFilePath(settings.dataSource.mid(prefix.size()));
    if (!QFileInfo(file).isFile())
        throw Error(QStringLiteral("Файл базы данных «%1» не найден.").arg(QDir::toNativeSeparators(file)));
    auto engine = std::make_unique<SqliteEngine>(file, SqliteRole::Administrator);
    engine->open();
    upgradeEmbedded(*engine);
    return engine;
}

} // namespace zeb
