#include "server/AdminEngine.h"

#include "data/DatabaseError.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "server/RowExists.h"
#include "credentials/SettingsFile.h"
#include "sqlite/SqliteEngine.h"

#include <QDir>
#include <QFileInfo>

namespace zeb {

namespace {

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
    engine.beginTransaction();
    try {
        for (const QString& step : std::as_const(steps))
            engine.run(step);
        engine.commit();
    } catch (...) {
        engine.rollback();
        throw;
    }
}

} // namespace

std::unique_ptr<Engine> openAdminEngine(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    ConnectionParams params{admin.user, admin.password, settings.initialCatalog, settings.dataSource};
    const QString dataDirectory = Installation::dataDirectory(installationDirectory);
    switch (params.engineKind()) {
    case EngineKind::Sqlite: {
        // The engine would refuse a missing file too; this names the file the settings point to.
        const QString prefix = QStringLiteral("sqlite:");
        const QString file = QDir(dataDirectory).absoluteFilePath(settings.dataSource.mid(prefix.size()));
        if (!QFileInfo(file).isFile())
            throw Error(
                QStringLiteral("Файл базы данных «%1» не найден.").arg(QDir::toNativeSeparators(file)));
        // The administrator is whoever may open the file: the sign-in tables are open to it.
        auto engine = std::make_unique<SqliteEngine>(file, SqliteRole::Administrator);
        engine->open();
        upgradeEmbedded(*engine);
        return engine;
    }
    case EngineKind::Postgres:
    case EngineKind::SqlServer:
        break;
    }
    std::unique_ptr<Engine> engine = Engine::create(params, dataDirectory);
    openAsAdministrator(*engine, settings.dataSource, admin.user);
    return engine;
}

void openAsAdministrator(Engine& engine, const QString& server, const QString& user)
{
    try {
        engine.open();
    } catch (const DatabaseError& error) {
        throw DatabaseError(QStringLiteral("Не удалось подключиться к серверу «%1» как «%2»: %3")
                                .arg(server, user, error.message()));
    }
}

} // namespace zeb
