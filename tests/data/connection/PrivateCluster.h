#pragma once

#include "data/ConnectionParams.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <unistd.h>

namespace zeb {

// A PostgreSQL cluster of the test's own, which it may stop while a session holds it.
class PrivateCluster
{
public:
    PrivateCluster()
    {
        const QStringList versions =
            QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (!versions.isEmpty())
            m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
    }
    ~PrivateCluster()
    {
        if (m_started)
            asPostgres(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("-m"),
                                                  QStringLiteral("immediate"), QStringLiteral("stop")});
    }

    // Raises Error when the cluster cannot be made or started.
    void start()
    {
        if (geteuid() == 0 &&
            QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:"), m_dir.path()}) != 0)
            throw Error(QStringLiteral("chown failed"));
        if (asPostgres(QStringLiteral("initdb"),
                       {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("postgres"),
                        QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
                        QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")}) != 0)
            throw Error(QStringLiteral("initdb failed"));
        const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off")
                                    .arg(m_port)
                                    .arg(m_dir.path());
        if (asPostgres(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("-l"),
                                                  m_dir.filePath(QStringLiteral("log")), QStringLiteral("-w"),
                                                  QStringLiteral("-o"), options, QStringLiteral("start")}) !=
            0)
            throw Error(QStringLiteral("pg_ctl start failed"));
        m_started = true;
    }

    // A smart shutdown: the server refuses new sessions and stops once the open ones end. Returns once the
    // server says it is stopping.
    void beginShutdown()
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

    ConnectionParams params() const
    {
        ConnectionParams params;
        params.dataSource = QStringLiteral("pg:127.0.0.1:%1").arg(m_port);
        params.initialCatalog = QStringLiteral("postgres");
        params.userId = QStringLiteral("postgres");
        return params;
    }
    int port() const { return m_port; }

private:
    QString data() const { return m_dir.filePath(QStringLiteral("data")); }
    int asPostgres(const QString& tool, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        if (geteuid() == 0)
            process.start(QStringLiteral("runuser"),
                          QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"),
                                      m_bin + tool} +
                              arguments);
        else
            process.start(m_bin + tool, arguments);
        process.waitForFinished(-1);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_bin;
    int m_port = 0;
    bool m_started = false;
};

} // namespace zeb
