#include "tests/tools/ToolRun.h"

#include <QProcess>

using namespace zeb;

QString DemoInstallations::install()
{
    server = TestPgServer::fromEnvironment();
    pgDatabase = TestPgServer::uniqueDatabaseName();
    const QString embedded = root.filePath(QStringLiteral("sqlite"));
    ToolRun init = run({QStringLiteral("init"), embedded, QStringLiteral("--engine"),
                        QStringLiteral("sqlite"), QStringLiteral("--demo")});
    if (init.exitCode != 0)
        return init.err;
    folders[EngineKind::Sqlite] = embedded;
    const QString pg = root.filePath(QStringLiteral("pg"));
    init = run({QStringLiteral("init"), pg, QStringLiteral("--engine"), QStringLiteral("pg"),
                QStringLiteral("--host"), server->host, QStringLiteral("--port"),
                QString::number(server->port), QStringLiteral("--database"), pgDatabase,
                QStringLiteral("--admin-user"), server->adminUser, QStringLiteral("--demo")});
    if (init.exitCode != 0)
        return init.err;
    folders[EngineKind::Postgres] = pg;
    return {};
}

ToolRun DemoInstallations::run(const QStringList& arguments, const QByteArray& input) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (server)
        environment.insert(QStringLiteral("PGPASSWORD"), server->adminPassword);
    environment.remove(QStringLiteral("SQLCMDUSER"));
    environment.remove(QStringLiteral("SQLCMDPASSWORD"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZEB_ADMIN_TOOL), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    ToolRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void DemoInstallations::dropDatabase() const
{
    if (server)
        server->dropDatabase(pgDatabase);
}
