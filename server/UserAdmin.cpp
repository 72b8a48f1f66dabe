#include "server/UserAdmin.h"

#include "platform/Cp1251.h"
#include "data/Engine.h"
#include "platform/Error.h"
#include "server/NativeTable.h"
#include "credentials/PasswordDigest.h"
#include "server/PgPersonLogin.h"

#include <QDateTime>
#include <algorithm>

namespace zeb {

namespace {

const QString usersTable = QStringLiteral("zeb_users");
constexpr int loginLength = 50;
constexpr int fullNameLength = 100;

// The sign-in compares logins as SQL Server does: trailing blanks do not count.
QString comparable(const QString& login)
{
    qsizetype end = login.size();
    while (end > 0 && login.at(end - 1) == QLatin1Char(' '))
        --end;
    return login.left(end);
}

bool fitsCodePage(const QString& text)
{
    return cp1251::decode(cp1251::encode(text)) == text;
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch.unicode() < 0x20 || ch.unicode() == 0x7f; });
}

void checkLogin(const QString& login)
{
    if (comparable(login).isEmpty())
        throw Error(QStringLiteral("Имя пользователя не может быть пустым."));
    if (login.size() > loginLength)
        throw Error(QStringLiteral("Имя пользователя «%1» длиннее %2 символов.").arg(login).arg(loginLength));
    // The client places the login between quotes of its sign-in statement as typed.
    if (login.contains(QLatin1Char('\'')))
        throw Error(QStringLiteral("Имя пользователя «%1» не может содержать апостроф.").arg(login));
    if (!fitsCodePage(login))
        throw Error(
            QStringLiteral("Имя пользователя «%1» содержит символы вне кодировки Windows-1251.").arg(login));
    // Nobody could type it in the sign-in dialog, and it would garble every log and listing it appears in.
    if (hasControlCharacter(login))
        throw Error(
            QStringLiteral("Имя пользователя не может содержать управляющие символы (табуляцию, перевод "
                           "строки и подобные)."));
}

void checkPassword(const QString& password)
{
    if (password.isEmpty())
        throw Error(QStringLiteral("Пароль не может быть пустым."));
    // The digest is taken over the Windows-1251 bytes; another character could never be typed back.
    if (!fitsCodePage(password))
        throw Error(QStringLiteral("Пароль содержит символы вне кодировки Windows-1251."));
}

} // namespace

UserAdmin::UserAdmin(Engine& engine) : m_engine(engine) {}

void UserAdmin::add(const QString& login, const QString& password, bool mustChange, const QString& fullName)
{
    checkLogin(login);
    checkPassword(password);
    if (fullName.size() > fullNameLength)
        throw Error(QStringLiteral("Полное имя пользователя длиннее %1 символов.").arg(fullNameLength));
    const QString existing = findLogin(login);
    if (!existing.isNull())
        throw Error(QStringLiteral("Пользователь «%1» уже существует.").arg(existing));
    NativeTable(m_engine, usersTable)
        .insert({QStringLiteral("login"), QStringLiteral("pass_digest"), QStringLiteral("full_name"),
                 QStringLiteral("must_change")},
                {login, passwordDigest(password), fullName.isEmpty() ? QVariant() : QVariant(fullName),
                 mustChange ? 1 : 0});
    setPasswordAge(login, 0);
}

void UserAdmin::setPassword(const QString& login, const QString& password, bool mustChange)
{
    checkPassword(password);
    const QString stored = storedLogin(login);
    updateUser(stored,
               {QStringLiteral("pass_digest"), QStringLiteral("must_change"), QStringLiteral("failed_count"),
                QStringLiteral("locked_until")},
               {passwordDigest(password), mustChange ? 1 : 0, 0, QVariant()});
    setPasswordAge(stored, 0);
    // Whoever knew the old password may have signed in with it: the login it opened shuts now.
    shutServerLogin(stored);
}

void UserAdmin::lock(const QString& login)
{
    const QString stored = storedLogin(login);
    // The mark goes first: it waits for a sign-in under way, whose login is then shut below.
    updateUser(stored, {QStringLiteral("disabled")}, {1});
    shutServerLogin(stored);
}

void UserAdmin::shutServerLogin(const QString& storedLogin)
{
    if (m_engine.kind() == EngineKind::Postgres)
        shutPgPersonLogin(m_engine, storedLogin);
    else if (m_engine.kind() == EngineKind::SqlServer)
        m_engine.run(QStringLiteral("EXEC dbo.LOCK_USER @login = ?, @shut_only = 1"), {storedLogin});
}

void UserAdmin::unlock(const QString& login)
{
    updateUser(storedLogin(login),
               {QStringLiteral("disabled"), QStringLiteral("failed_count"), QStringLiteral("locked_until")},
               {0, 0, QVariant()});
}

void UserAdmin::setPasswordAge(const QString& login, int days)
{
    const QString stored = storedLogin(login);
    const NativeTable table(m_engine, usersTable);
    // Expiry is counted by the server's clock, so the change time is taken from the same clock.
    QString changed;
    QVariant changedValue;
    if (m_engine.kind() == EngineKind::Postgres) {
        changed =
            QStringLiteral("localtimestamp - make_interval(days => %1::integer)").arg(table.placeholder(0));
        changedValue = days;
    } else {
        changed = table.placeholder(0);
        changedValue = QDateTime::currentDateTime().addDays(-days);
    }
    m_engine.run(QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %4 = %5")
                     .arg(table.name(), table.column(QStringLiteral("pass_changed")), changed,
                          table.column(QStringLiteral("login")), table.placeholder(1)),
                 {changedValue, stored});
}

QString UserAdmin::storedLogin(const QString& login) const
{
    const QString stored = findLogin(login);
    if (stored.isNull())
        throw Error(QStringLiteral("Пользователь «%1» не найден.").arg(login));
    return stored;
}

QString UserAdmin::findLogin(const QString& login) const
{
    const NativeTable table(m_engine, usersTable);
    StatementResult result = m_engine.run(
        QStringLiteral("SELECT %1 FROM %2").arg(table.column(QStringLiteral("login")), table.name()));
    const QString wanted = comparable(login);
    QString found;
    while (result.rows->next()) {
        const QString stored = result.rows->toText(0);
        if (found.isNull() && comparable(stored).compare(wanted, Qt::CaseInsensitive) == 0)
            found = stored;
    }
    return found;
}

void UserAdmin::updateUser(const QString& login, const QStringList& columns, const QVariantList& values)
{
    NativeTable(m_engine, usersTable).update(columns, values, QStringLiteral("login"), login);
}

} // namespace zeb
