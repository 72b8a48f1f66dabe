#pragma once

#include "data/ConnectionParams.h"
#include "tests/support/TestPgServer.h"

#include <QStringList>
#include <QTemporaryDir>

namespace zeb {

// A PostgreSQL cluster of the test's own, which it may stop and start again while sessions hold it. Like the
// test run's server it asks a password over TCP and offers TLS with a key of its own.
class PrivateCluster
{
public:
    PrivateCluster();
    ~PrivateCluster();
    PrivateCluster(const PrivateCluster&) = delete;
    PrivateCluster& operator=(const PrivateCluster&) = delete;

    // Makes the cluster at the first call, then starts it; raises Error when that fails.
    void start();
    // A fast shutdown: the server ends every session and stops. Returns once it has stopped.
    void stop();
    // A smart shutdown: the server refuses new sessions and stops once the open ones end. Returns once the
    // server says it is stopping.
    void beginShutdown();

    // The administrator on the database "postgres".
    ConnectionParams params() const;
    // The cluster as a test server that installations are made on.
    TestPgServer server() const;
    int port() const { return m_port; }
    bool isRunning() const { return m_running; }

private:
    QString data() const;
    void initialise();
    int asPostgres(const QString& tool, const QStringList& arguments) const;

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_password;
    int m_port = 0;
    bool m_initialised = false;
    bool m_running = false;
};

} // namespace zeb
