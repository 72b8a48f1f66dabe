#pragma once

#include "data/ConnectionParams.h"
#include "tests/support/TestPgServer.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <optional>

// What a run of zeb7-admin gave back.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The demo installed by the admin tool of this build on SQLite and on the test PostgreSQL server, in a
// database of its own, for the tests of the tool's commands.
struct DemoInstallations
{
    std::optional<zeb::TestPgServer> server;
    QTemporaryDir root;
    std::map<zeb::EngineKind, QString> folders;
    QString pgDatabase;

    // Reaches the test server and runs `init --demo` on each engine; the tool's refusal, empty when both are
    // installed. Raises when the server cannot be reached.
    QString install();
    // Runs the tool with `arguments`, the server's administrator password at hand; `input` is what it finds
    // on its standard input, which then ends. A crash gives exit code -1. The SQL Server administrator comes
    // only from the arguments and the input.
    ToolRun run(const QStringList& arguments, const QByteArray& input = {}) const;
    void dropDatabase() const;
};
