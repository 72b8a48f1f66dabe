#include "tests/data/pg/PgScratchDatabase.h"

#include "platform/Error.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QtDebug>

namespace zeb {

namespace {

QString requiredVariable(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        throw Error(QStringLiteral("%1 is not set: run the test under scripts/with-test-postgres.sh")
                        .arg(QLatin1String(name)));
    return value;
}

ConnectionParams adminParamsFromEnvironment()
{
    ConnectionParams params;
    params.dataSource = QStringLiteral("pg:%1:%2")
                            .arg(requiredVariable("ZEB_TEST_PG_HOST"), requiredVariable("ZEB_TEST_PG_PORT"));
    params.initialCatalog = QStringLiteral("postgres");
    params.userId = requiredVariable("ZEB_TEST_PG_ADMIN_USER");
    params.password = requiredVariable("ZEB_TEST_PG_ADMIN_PASSWORD");
    return params;
}

} // namespace

PgScratchDatabase::PgScratchDatabase()
    : m_adminParams(adminParamsFromEnvironment()),
      m_name(QStringLiteral("zeb_test_%1_%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::global()->bounded(1000000))),
      m_admin(m_adminParams)
{
    m_admin.open();
    m_admin.run(QStringLiteral("CREATE DATABASE ") + m_name);
}

PgScratchDatabase::~PgScratchDatabase()
{
    try {
        m_admin.open();
        m_admin.run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (const Error& error) {
        qWarning() << "scratch database" << m_name << "not dropped:" << error.message();
    }
}

ConnectionParams PgScratchDatabase::params() const
{
    ConnectionParams params = m_adminParams;
    params.initialCatalog = m_name;
    return params;
}

} // namespace zeb
