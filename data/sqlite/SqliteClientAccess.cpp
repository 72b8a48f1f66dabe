#include "data/sqlite/SqliteClientAccess.h"

#include "data/DatabaseError.h"
#include "data/sqlite/SqliteSessionPassword.h"

#include <sqlite3.h>

namespace zeb {

namespace {

const QString lockedMessage = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
const QString stalePasswordMessage =
    QStringLiteral("Пароль соединения с базой данных недействителен: войдите в программу заново.");

// Resets a kept statement whatever happens, so that it holds no read of the file.
struct Reset
{
    sqlite3_stmt* statement;
    ~Reset() { sqlite3_reset(statement); }
};

} // namespace

SqliteClientAccess::SqliteClientAccess(QString userId, QString password)
    : m_userId(std::move(userId)), m_password(std::move(password))
{
}

SqliteClientAccess::~SqliteClientAccess()
{
    release();
}

void SqliteClientAccess::admit(sqlite3* db)
{
    release();
    m_db = db;
    // "main." keeps a temporary table of the same name out of the answer. Kept with the login bound, it
    // asks again in check().
    m_enabled = prepare("SELECT disabled, session_digest FROM main.zeb_users WHERE login = ?");
    const QByteArray login = m_userId.toUtf8();
    sqlite3_bind_text(m_enabled, 1, login.constData(), int(login.size()), SQLITE_TRANSIENT);
    int rc = SQLITE_OK;
    QString failure;
    bool disabled = false;
    bool handedOut = false;
    {
        const Reset reset{m_enabled};
        rc = sqlite3_step(m_enabled);
        if (rc == SQLITE_ROW) {
            disabled = sqlite3_column_int(m_enabled, 0) == 1;
            const auto stored = reinterpret_cast<const char*>(sqlite3_column_text(m_enabled, 1));
            handedOut = stored && QString::fromLatin1(stored) == sqlitesession::digest(m_password);
        } else if (rc != SQLITE_DONE) {
            failure = QString::fromUtf8(sqlite3_errmsg(m_db));
        }
    }
    if (rc != SQLITE_ROW || !handedOut || disabled)
        release();
    if (rc == SQLITE_DONE)
        return;
    if (rc != SQLITE_ROW)
        throw DatabaseError(failure);
    if (!handedOut)
        throw DatabaseError(stalePasswordMessage);
    if (disabled)
        throw DatabaseError(lockedMessage);
    m_version = prepare("PRAGMA data_version");
    m_seenVersion = dataVersion();
}

void SqliteClientAccess::check()
{
    const qint64 version = dataVersion();
    if (version == m_seenVersion)
        return;
    if (!stillEnabled())
        throw DatabaseError(lockedMessage);
    m_seenVersion = version;
}

void SqliteClientAccess::release()
{
    sqlite3_finalize(m_version);
    sqlite3_finalize(m_enabled);
    m_version = nullptr;
    m_enabled = nullptr;
    m_db = nullptr;
}

sqlite3_stmt* SqliteClientAccess::prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    return statement;
}

qint64 SqliteClientAccess::dataVersion()
{
    const Reset reset{m_version};
    if (sqlite3_step(m_version) != SQLITE_ROW)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    return sqlite3_column_int64(m_version, 0);
}

bool SqliteClientAccess::stillEnabled()
{
    const Reset reset{m_enabled};
    const int rc = sqlite3_step(m_enabled);
    if (rc == SQLITE_ROW)
        return sqlite3_column_int(m_enabled, 0) == 0;
    if (rc == SQLITE_DONE)
        return false;
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

} // namespace zeb
