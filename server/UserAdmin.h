#pragma once

#include <QStringList>
#include <QVariantList>

namespace zeb {

class Engine;

// The users of the sign-in, kept in zeb_users through an engine with the administrator's rights.
// Passwords are stored only as their digest. A login is found as the sign-in finds it: ignoring letter
// case and trailing blanks. Every refusal raises Error with a Russian text.
class UserAdmin
{
public:
    explicit UserAdmin(Engine& engine);

    // Refuses a login that already exists.
    void add(const QString& login, const QString& password, bool mustChange, const QString& fullName = {});
    // A new password counts from now and clears failed attempts and a temporary lock. On PostgreSQL and SQL
    // Server the person's own login is shut and its open sessions end: the next sign-in opens it afresh.
    void setPassword(const QString& login, const QString& password, bool mustChange);
    // The administrator's lock, which the sign-in refuses whatever the password. On PostgreSQL the person's
    // own login is shut too and its open sessions end at once.
    void lock(const QString& login);
    // Lifts the administrator's lock and a temporary lock after failed attempts.
    void unlock(const QString& login);
    // Moves the last password change back, so that the password's lifetime runs out sooner.
    void setPasswordAge(const QString& login, int days);

private:
    // The login as stored; raises Error when there is none.
    QString storedLogin(const QString& login) const;
    QString findLogin(const QString& login) const;
    // Shuts the server login GET_USER opened for the person and ends its sessions (not on SQLite, whose
    // engine asks the file before each statement).
    void shutServerLogin(const QString& storedLogin);
    void updateUser(const QString& login, const QStringList& columns, const QVariantList& values);

    Engine& m_engine;
};

} // namespace zeb
