#pragma once

#include "data/ConnectionParams.h"
#include "data/StatementResult.h"

#include <QString>
#include <memory>

namespace zeb {

class Engine;
class TsqlRewriter;

// The program's one database connection. It holds a connection string, opens the engine the Data Source
// names and runs the client's T-SQL statements, translated where the engine is not SQL Server.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A text equal to the current one changes nothing, even while open; another text needs a closed
    // connection.
    void setConnectionString(const QString& text);
    const QString& connectionString() const { return m_connectionString; }

    // Folder that a relative embedded database file is resolved against (the Data folder by default).
    void setDataDirectory(const QString& directory) { m_dataDirectory = directory; }
    const QString& dataDirectory() const { return m_dataDirectory; }

    void open();
    void close();
    bool isOpen() const;

    // Runs one statement of the client, opening the connection first when it is closed.
    StatementResult run(const QString& tsql);
    // The same for a statement that must return rows.
    std::unique_ptr<ResultCursor> query(const QString& tsql);
    // The same for a statement without rows; returns the rows changed.
    qint64 execute(const QString& tsql);

    // The open engine, for statements written in its own dialect (write-back, installation).
    Engine& engine();
    EngineKind engineKind() const;

private:
    QString m_connectionString;
    QString m_dataDirectory;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<TsqlRewriter> m_rewriter;
};

} // namespace zeb
