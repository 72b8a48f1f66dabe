#include "tests/support/PrivateCluster.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QThread>
#include <unistd.h>

namespace zeb {

namespace {

// Files the server reads must belong to it.
void giveToPostgres(const QString& path)
{
    if (geteuid() == 0 &&
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:"), path}) != 0)
        throw Error(QStringLiteral("chown %1 failed").arg(path));
}

void writeOwnerOnly(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw Error(QStringLiteral("cannot write %1").arg(path));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

PrivateCluster::PrivateCluster()
    : m_password(QStringLiteral("private-%1").arg(QRandomGenerator::system()->generate()))
{
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (!versions.isEmpty())
        m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    m_port = probe.serverPort();
}

PrivateCluster::~PrivateCluster()
{
    if (m_running)
        asPostgres(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("-m"),
                                              QStringLiteral("immediate"), QStringLiteral("stop")});
}

QString PrivateCluster::data() const
{
    return m_dir.filePath(QStringLiteral("data"));
}

void PrivateCluster::initialise()
{
    giveToPostgres(m_dir.path());
    const QString passwordFile = m_dir.filePath(QStringLiteral("pwfile"));
    writeOwnerOnly(passwordFile, m_password.toUtf8() + '\n');
    giveToPostgres(passwordFile);
    if (asPostgres(QStringLiteral("initdb"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("postgres"),
                    QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("--auth-local=trust"),
                    QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                    QStringLiteral("--locale=C.UTF-8")}) != 0)
        throw Error(QStringLiteral("initdb failed"));
    const QString key = m_dir.filePath(QStringLiteral("server.key"));
    const QString certificate = m_dir.filePath(QStringLiteral("server.crt"));
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("3"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"), key, QStringLiteral("-out"),
                   certificate});
    if (!openssl.waitForFinished(-1) || openssl.exitCode() != 0)
        throw Error(QStringLiteral("openssl failed: %1").arg(QString::fromLocal8Bit(openssl.readAll())));
    QFile::setPermissions(key, QFile::ReadOwner | QFile::WriteOwner);
    giveToPostgres(key);
    giveToPostgres(certificate);
    m_initialised = true;
}

void PrivateCluster::start()
{
    if (!m_initialised)
        initialise();
    const QString options =
        QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c ssl=on -c ssl_cert_file=%3 "
                       "-c ssl_key_file=%4")
            .arg(m_port)
            .arg(m_dir.path(), m_dir.filePath(QStringLiteral("server.crt")),
                 m_dir.filePath(QStringLiteral("server.key")));
    if (asPostgres(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
                    QStringLiteral("-w"), QStringLiteral("-o"), options, QStringLiteral("start")}) != 0)
        throw Error(QStringLiteral("pg_ctl start failed"));
    m_running = true;
}

void PrivateCluster::stop()
{
    if (asPostgres(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-m"), QStringLiteral("fast"),
                    QStringLiteral("-w"), QStringLiteral("stop")}) != 0)
        throw Error(QStringLiteral("pg_ctl stop failed"));
    m_running = false;
}

void PrivateCluster::beginShutdown()
{
    asPostgres(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), data(), QStringLiteral("-m"), QStringLiteral("smart"),
                QStringLiteral("-W"), QStringLiteral("stop")});
    // The eighth line of postmaster.pid holds the server's state.
    for (int look = 0; look < 3000; ++look) {
        QFile pidFile(data() + QStringLiteral("/postmaster.pid"));
        if (!pidFile.open(QIODevice::ReadOnly))
            return;
        const QList<QByteArray> lines = pidFile.readAll().split('\n');
        if (lines.size() > 7 && lines.at(7).trimmed() == "stopping")
            return;
        QThread::msleep(10);
    }
}

ConnectionParams PrivateCluster::params() const
{
    return server().adminParams(QStringLiteral("postgres"));
}

TestPgServer PrivateCluster::server() const
{
    return TestPgServer{QStringLiteral("127.0.0.1"), m_port, QStringLiteral("postgres"), m_password};
}

int PrivateCluster::asPostgres(const QString& tool, const QStringList& arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                             QStringLiteral("--"), m_bin + tool} +
                                                     arguments);
    else
        process.start(m_bin + tool, arguments);
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace zeb
