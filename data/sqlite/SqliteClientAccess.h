#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace zeb {

// What a client connection may do, decided by the credentials it opens with. A person's own login with the
// password GET_USER handed out last works with the schedule for as long as the person stays enabled. Any
// other credentials, the sign-in account of the settings file among them, may only run GET_USER.
//
// Whether the person is still enabled is asked again before every statement, but only when another
// connection has changed the file since (PRAGMA data_version): most statements cost one step of a kept
// pragma. The statements run here read the sign-in tables; the caller runs them under trust.
class SqliteClientAccess
{
public:
    SqliteClientAccess(QString userId, QString password);
    ~SqliteClientAccess();
    SqliteClientAccess(const SqliteClientAccess&) = delete;
    SqliteClientAccess& operator=(const SqliteClientAccess&) = delete;

    // On a connection just opened. Raises DatabaseError when the user id is a person's login but the
    // password is not the one handed out last, or the person is locked.
    void admit(sqlite3* db);
    bool signInOnly() const { return !m_enabled; }
    // Raises DatabaseError when the person has been locked since.
    void check();
    // Before the connection closes.
    void release();

private:
    sqlite3_stmt* prepare(const char* sql);
    qint64 dataVersion();
    bool stillEnabled();

    QString m_userId;
    QString m_password;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_version = nullptr;
    sqlite3_stmt* m_enabled = nullptr;
    qint64 m_seenVersion = 0;
};

} // namespace zeb
