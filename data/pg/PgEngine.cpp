#include "data/pg/PgEngine.h"

#include "data/DatabaseError.h"
#include "data/FaultClassifier.h"
#include "data/pg/LibPq.h"
#include "data/pg/PgCursor.h"
#include "data/pg/PgParameters.h"
#include "data/pg/PgSslMode.h"

#include <libpq-fe.h>

namespace zeb {

namespace {

struct ServerAddress
{
    QByteArray host;
    QByteArray port = QByteArrayLiteral("5432");
};

// "pg:<host>[:<port>]"; a host with several colons (IPv6) takes no port.
ServerAddress serverAddress(const QString& dataSource)
{
    const QString hostAndPort = dataSource.mid(int(sizeof("pg:")) - 1);
    ServerAddress address;
    const qsizetype colon = hostAndPort.indexOf(QLatin1Char(':'));
    if (colon < 0 || hostAndPort.count(QLatin1Char(':')) > 1) {
        address.host = hostAndPort.toUtf8();
        return address;
    }
    address.host = hostAndPort.left(colon).toUtf8();
    address.port = hostAndPort.mid(colon + 1).toUtf8();
    return address;
}

QString trimmedText(const char* text)
{
    return QString::fromUtf8(text).trimmed();
}

// Statements kept prepared in one session; the ones sent again and again are few.
constexpr qsizetype MaxPrepared = 64;

// What the client relies on, pinned for the session: given at connection, they outrank any default of the
// server, the database or the role. Floats come with every digit they hold (a value read rounded would no
// longer match its row when saved), dates and intervals in the forms the cursor reads and with the day
// before the month, and a backslash in a literal stays a backslash, as in T-SQL.
constexpr char sessionOptions[] = "-c search_path=dbo,public -c extra_float_digits=3 -c DateStyle=ISO,DMY "
                                  "-c IntervalStyle=postgres -c standard_conforming_strings=on";

// Server notices (NOTICE, WARNING) are not the user's business.
void ignoreNotice(void*, const char*) {}

// Why a connection failed, as far as the server says: a second, bare attempt that ends before signing in.
DatabaseFault openingFault(const ServerAddress& address, const QString& engineText)
{
    const char* const keywords[] = {"host", "port", "connect_timeout", nullptr};
    const char* const values[] = {address.host.constData(), address.port.constData(), "10", nullptr};
    switch (libpq().PQpingParams(keywords, values, 0)) {
    case PQPING_REJECT:
        return faults::ofRejection(engineText);
    case PQPING_NO_RESPONSE:
        return DatabaseFault::ServerUnreachable;
    case PQPING_OK:
    case PQPING_NO_ATTEMPT:
        break;
    }
    return DatabaseFault::Other;
}

QString errorField(const PGresult* result, int field)
{
    const char* value = result ? libpq().PQresultErrorField(result, field) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
}

qint64 rowsAffected(const PGresult* result)
{
    const char* count = libpq().PQcmdTuples(const_cast<PGresult*>(result));
    return *count ? QByteArray(count).toLongLong() : 0;
}

} // namespace

PgEngine::PgEngine(ConnectionParams params) : m_params(std::move(params)) {}

PgEngine::~PgEngine()
{
    close();
}

void PgEngine::open()
{
    if (m_conn)
        return;
    PGconn* conn = openConnection();
    if (libpq().PQstatus(conn) != CONNECTION_OK) {
        EngineFailure failure;
        failure.engineText = trimmedText(libpq().PQerrorMessage(conn));
        libpq().PQfinish(conn);
        failure.fault = openingFault(serverAddress(m_params.dataSource), failure.engineText);
        failure.database = serverName();
        throw DatabaseError(failure);
    }
    libpq().PQsetNoticeProcessor(conn, ignoreNotice, nullptr);
    m_conn = conn;
}

PGconn* PgEngine::openConnection() const
{
    const ServerAddress address = serverAddress(m_params.dataSource);
    const QByteArray database = m_params.initialCatalog.toUtf8();
    const QByteArray user = m_params.userId.toUtf8();
    const QByteArray password = m_params.password.toUtf8();
    const QByteArray sslMode = pgSslMode();
    const char* const keywords[] = {"host",
                                    "port",
                                    "dbname",
                                    "user",
                                    "password",
                                    "client_encoding",
                                    "connect_timeout",
                                    "application_name",
                                    "options",
                                    "sslmode",
                                    nullptr};
    const char* const values[] = {address.host.constData(),
                                  address.port.constData(),
                                  database.constData(),
                                  user.constData(),
                                  password.constData(),
                                  "UTF8",
                                  "10",
                                  "ZEB 7",
                                  sessionOptions,
                                  sslMode.constData(),
                                  nullptr};
    // expand_dbname 0: a database name is never read as a connection string.
    return libpq().PQconnectdbParams(keywords, values, 0);
}

QString PgEngine::serverName() const
{
    return m_params.dataSource.mid(int(sizeof("pg:")) - 1);
}

void PgEngine::close()
{
    freeConnection();
    libpq().PQfinish(m_conn);
    m_conn = nullptr;
    m_prepared.clear();
    m_preparedCount = 0;
}

void PgEngine::checkOpen() const
{
    if (!m_conn)
        throw DatabaseError(QStringLiteral("Нет соединения с сервером базы данных."));
}

// A whole result in libpq would hold every row a second time, in a form several times larger than the
// reader keeps, while the reader stores them.
StatementResult PgEngine::run(const QString& sql, const QVariantList& params)
{
    checkOpen();
    freeConnection();
    const PgParameters parameters(params);
    if (!libpq().PQsendQueryParams(m_conn, sql.toUtf8().constData(), parameters.count(), nullptr,
                                   parameters.values(), nullptr, nullptr, 0))
        throw DatabaseError(failure(nullptr, sql));
    libpq().PQsetSingleRowMode(m_conn);
    PgResult first(libpq().PQgetResult(m_conn));
    if (libpq().PQresultStatus(first.get()) == PGRES_SINGLE_TUPLE) {
        auto cursor = std::make_unique<PgCursor>(std::move(first), this);
        m_streaming = cursor.get();
        return {std::move(cursor), -1};
    }
    finishResults();
    return takeResult(first.release(), sql);
}

void PgEngine::freeConnection()
{
    if (m_streaming)
        m_streaming->takeRest();
}

PgResult PgEngine::nextRow()
{
    PgResult result(libpq().PQgetResult(m_conn));
    const ExecStatusType status = libpq().PQresultStatus(result.get());
    if (status == PGRES_SINGLE_TUPLE)
        return result;
    m_streaming = nullptr;
    finishResults();
    if (status == PGRES_TUPLES_OK || !result)
        return {};
    throw DatabaseError(failure(result.get()));
}

// Read to the end rather than cancelled: a cancelled statement would abort the transaction it runs in.
void PgEngine::dropRows()
{
    m_streaming = nullptr;
    finishResults();
}

void PgEngine::finishResults()
{
    while (PGresult* rest = libpq().PQgetResult(m_conn))
        libpq().PQclear(rest);
}

qint64 PgEngine::runPrepared(const QString& sql, const QVariantList& params)
{
    checkOpen();
    freeConnection();
    const QByteArray name = preparedName(sql);
    const PgParameters parameters(params);
    return takeResult(libpq().PQexecPrepared(m_conn, name.constData(), parameters.count(),
                                             parameters.values(), nullptr, nullptr, 0),
                      sql)
        .rowsAffected;
}

QByteArray PgEngine::preparedName(const QString& sql)
{
    if (const auto found = m_prepared.constFind(sql); found != m_prepared.constEnd())
        return *found;
    if (m_prepared.size() >= MaxPrepared) {
        // Nothing else in the session prepares statements, so all of them are this cache's.
        takeResult(libpq().PQexec(m_conn, "DEALLOCATE ALL"));
        m_prepared.clear();
    }
    // A name is never used twice in a session, so no failure can leave one taken.
    const QByteArray name = QByteArrayLiteral("zeb_") + QByteArray::number(++m_preparedCount);
    // A failed prepare raises here and is not kept.
    takeResult(libpq().PQprepare(m_conn, name.constData(), sql.toUtf8().constData(), 0, nullptr), sql);
    m_prepared.insert(sql, name);
    return name;
}

void PgEngine::runScript(const QString& script)
{
    checkOpen();
    freeConnection();
    takeResult(libpq().PQexec(m_conn, script.toUtf8().constData()), script);
}

void PgEngine::beginTransaction()
{
    run(QStringLiteral("BEGIN"));
}

void PgEngine::commit()
{
    run(QStringLiteral("COMMIT"));
}

void PgEngine::rollback()
{
    // A lost session took its transaction with it: nothing is left to undo.
    if (!m_conn)
        return;
    run(QStringLiteral("ROLLBACK"));
}

StatementResult PgEngine::takeResult(PGresult* raw, const QString& sql)
{
    PgResult result(raw);
    switch (libpq().PQresultStatus(result.get())) {
    case PGRES_TUPLES_OK:
        return {std::make_unique<PgCursor>(std::move(result), nullptr), -1};
    case PGRES_COMMAND_OK:
    case PGRES_EMPTY_QUERY:
        return {nullptr, rowsAffected(result.get())};
    default:
        break;
    }
    throw DatabaseError(failure(result.get(), sql));
}

EngineFailure PgEngine::failure(const PGresult* result, const QString& sql)
{
    EngineFailure refusal;
    refusal.database = serverName();
    const bool deleting = faults::deletesRows(sql);
    const QByteArray sqlState = errorField(result, PG_DIAG_SQLSTATE).toLatin1();
    refusal.fault = faults::ofSqlState(sqlState, deleting);
    if (libpq().PQstatus(m_conn) == CONNECTION_BAD) {
        refusal.engineText = trimmedText(libpq().PQerrorMessage(m_conn));
        if (!isServerFault(refusal.fault))
            refusal.fault = DatabaseFault::ConnectionLost;
        // The session is gone with its transaction; the next open() starts a new one.
        close();
        return refusal;
    }
    refusal.table = errorField(result, PG_DIAG_TABLE_NAME);
    refusal.constraint = errorField(result, PG_DIAG_CONSTRAINT_NAME);
    const QString primary = errorField(result, PG_DIAG_MESSAGE_PRIMARY);
    if (primary.isEmpty()) {
        refusal.engineText =
            trimmedText(result ? libpq().PQresultErrorMessage(result) : libpq().PQerrorMessage(m_conn));
        if (refusal.engineText.isEmpty())
            refusal.engineText = QStringLiteral("Сервер базы данных вернул неожиданный ответ.");
        return refusal;
    }
    refusal.engineText = primary;
    if (const QString detail = errorField(result, PG_DIAG_MESSAGE_DETAIL); !detail.isEmpty())
        refusal.engineText += QLatin1Char('\n') + detail;
    return refusal;
}

} // namespace zeb
