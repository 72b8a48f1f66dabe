#include "tests/support/TestPgServer.h"

#include "platform/Error.h"
#include "server/Installation.h"
#include "data/NativeSql.h"
#include "pg/PgEngine.h"

#include <QRandomGenerator>
#include <QStringList>

namespace zeb {

namespace {

QString variable(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        throw Error(QStringLiteral("Переменная окружения %1 не задана: запустите тест через "
                                   "scripts/with-test-postgres.sh.")
                        .arg(QString::fromLatin1(name)));
    return value;
}

} // namespace

TestPgServer TestPgServer::fromEnvironment()
{
    TestPgServer server;
    server.host = variable("ZEB_TEST_PG_HOST");
    server.port = variable("ZEB_TEST_PG_PORT").toInt();
    server.adminUser = variable("ZEB_TEST_PG_ADMIN_USER");
    server.adminPassword = variable("ZEB_TEST_PG_ADMIN_PASSWORD");
    return server;
}

QString TestPgServer::dataSource() const
{
    return QStringLiteral("pg:%1:%2").arg(host).arg(port);
}

ConnectionParams TestPgServer::adminParams(const QString& database) const
{
    return ConnectionParams{adminUser, adminPassword, database, dataSource()};
}

QString TestPgServer::uniqueDatabaseName()
{
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = QStringLiteral("zt");
    for (int i = 0; i < 10; ++i)
        name.append(QLatin1Char(alphabet[QRandomGenerator::system()->bounded(int(sizeof(alphabet)) - 1)]));
    return name;
}

void TestPgServer::dropDatabase(const QString& database) const
{
    const auto quoted = [](const QString& name) {
        return nativesql::quoteIdentifier(EngineKind::Postgres, name);
    };
    PgEngine server(adminParams(QStringLiteral("postgres")));
    server.open();
    // A connection a test left open must not keep the database alive.
    server.run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quoted(database)));
    // The persons' own logins, made at their first sign-in, are members of the group.
    QStringList persons;
    StatementResult members =
        server.run(QStringLiteral("SELECT r.rolname FROM pg_auth_members m "
                                  "JOIN pg_roles r ON r.oid = m.member "
                                  "JOIN pg_roles g ON g.oid = m.roleid WHERE g.rolname = $1"),
                   {Installation::workRole(database)});
    while (members.rows->next())
        persons.append(members.rows->toText(0));
    members.rows.reset();
    for (const QString& person : std::as_const(persons))
        server.run(QStringLiteral("DROP ROLE IF EXISTS %1").arg(quoted(person)));
    server.run(QStringLiteral("DROP ROLE IF EXISTS %1").arg(quoted(Installation::signinRole(database))));
    server.run(QStringLiteral("DROP ROLE IF EXISTS %1").arg(quoted(Installation::workRole(database))));
}

} // namespace zeb
