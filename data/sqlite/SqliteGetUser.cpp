#include "data/MemoryCursor.h"
#include "data/sqlite/SqliteEngine.h"
#include "data/sqlite/SqliteProcedures.h"
#include "data/sqlite/SqliteSessionPassword.h"
#include "platform/Cp1251.h"

#include <QDateTime>
#include <algorithm>
#include <optional>

namespace zeb::sqliteprocedures {

namespace {

constexpr int FailuresBeforeLock = 5;
constexpr int LockMinutes = 15;
constexpr int DefaultPassDays = 90;

const QString WrongLoginMessage = QStringLiteral("Неверное имя пользователя или пароль.");
const QString DisabledMessage = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
const QString LockedMessage = QStringLiteral("Учётная запись временно заблокирована после неудачных попыток "
                                             "входа. Повторите попытку через 15 минут.");
const QString SamePasswordMessage = QStringLiteral("Новый пароль должен отличаться от прежнего.");

struct User
{
    QString login; // as stored: the key of later updates
    QString digest;
    QVariant fullName;
    QDateTime passChanged;
    qint64 passDays = DefaultPassDays;
    bool mustChange = false;
    qint64 failedCount = 0;
    QDateTime lockedUntil;
    bool disabled = false;
};

struct Update
{
    qint64 state = 1;
    QVariant digest; // of the published build, when the workstation must take it
    QVariant build;  // its number, then
};

struct Request
{
    QString login;
    QString digest;
    QString newDigest; // empty: no change asked
    QString program;
    QString ip;
    QString computer;
};

QString text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

// SQL Server compares texts as if padded with blanks, so trailing blanks never count.
QString withoutTrailingBlanks(const QString& value)
{
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1) == QLatin1Char(' '))
        --end;
    return value.left(end);
}

Request readRequest(const QList<ProcedureArgument>& arguments)
{
    static const QStringList parameters = {
        QStringLiteral("login"),   QStringLiteral("digest"),   QStringLiteral("new_digest"),
        QStringLiteral("program"), QStringLiteral("ip"),       QStringLiteral("computer"),
        QStringLiteral("login2"),  QStringLiteral("reserved"), QStringLiteral("new_len"),
    };
    const QVariantList values = orderArguments(QStringLiteral("GET_USER"), parameters, arguments);
    return Request{text(values.at(0)), text(values.at(1)), text(values.at(2)),
                   text(values.at(3)), text(values.at(4)), text(values.at(5))};
}

// Logins are few; comparing them here gives case-insensitive matching beyond ASCII (Cyrillic).
std::optional<User> findUser(SqliteEngine& engine, const QString& login)
{
    const QString wanted = withoutTrailingBlanks(login);
    const StatementResult result = engine.run(
        QStringLiteral("SELECT login, pass_digest, full_name, pass_changed, pass_days, must_change, "
                       "failed_count, locked_until, disabled FROM zeb_users ORDER BY login"));
    ResultCursor& rows = *result.rows;
    while (rows.next()) {
        if (withoutTrailingBlanks(rows.toText(0)).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        User user;
        user.login = rows.toText(0);
        user.digest = rows.toText(1);
        user.fullName = rows.value(2);
        user.passChanged = rows.value(3).toDateTime();
        if (!rows.isNull(4))
            user.passDays = rows.toInt64(4);
        user.mustChange = rows.toInt64(5) == 1;
        user.failedCount = rows.toInt64(6);
        user.lockedUntil = rows.value(7).toDateTime();
        user.disabled = rows.toInt64(8) == 1;
        return user;
    }
    return std::nullopt;
}

StatementResult answer(const QVariantList& row)
{
    const ColumnList columns = {
        {QStringLiteral("db_user"), FieldType::Text, 50},
        {QStringLiteral("db_password"), FieldType::Text, 20},
        {QStringLiteral("user_name"), FieldType::Text, 100},
        {QStringLiteral("pass_state"), FieldType::Integer, 0},
        {QStringLiteral("message"), FieldType::Text, 250},
        {QStringLiteral("update_state"), FieldType::Integer, 0},
        {QStringLiteral("update_digest"), FieldType::Text, 64},
        {QStringLiteral("update_build"), FieldType::Integer, 0},
    };
    StatementResult result;
    result.rows = std::make_unique<MemoryCursor>(columns, QList<QVariantList>{row});
    return result;
}

StatementResult refusal(const QString& message)
{
    return answer({QString(), QString(), QVariant(), qint64(0), message, qint64(1), QVariant(), QVariant()});
}

// Whole days on the calendar clock, so that a daylight-saving shift does not cost a day.
qint64 passwordState(const User& user, const QDateTime& now)
{
    if (user.mustChange || !user.passChanged.isValid())
        return -1;
    qint64 days = user.passChanged.date().daysTo(now.date());
    if (now.time() < user.passChanged.time())
        --days;
    return user.passDays - days;
}

StatementResult registerFailure(SqliteEngine& engine, const User& user, const QDateTime& now)
{
    const qint64 failures = user.failedCount + 1;
    const bool lock = failures >= FailuresBeforeLock;
    engine.run(QStringLiteral("UPDATE zeb_users SET failed_count = ?, locked_until = ? WHERE login = ?"),
               {lock ? qint64(0) : failures, lock ? QVariant(now.addSecs(LockMinutes * 60)) : QVariant(),
                user.login});
    // The lock is not told to a guess: the answer is the same for every login, real or not.
    return refusal(WrongLoginMessage);
}

// At most 50 characters and no control character: another login is never anybody's.
bool possibleLogin(const QString& login)
{
    constexpr qsizetype LoginLength = 50;
    return login.size() <= LoginLength && std::none_of(login.cbegin(), login.cend(), [](QChar ch) {
               return ch.unicode() < 0x20 || ch.unicode() == 0x7f;
           });
}

// State 2 when the workstation has to take a newly published build (recorded as taken at once, so the
// client does not ask again), otherwise 1.
Update updateState(SqliteEngine& engine, const Request& request, const QDateTime& now)
{
    const QString computer = request.computer.left(100);
    const QString program = request.program.left(20);
    QVariant published;
    QVariant publishedDigest;
    {
        const StatementResult result =
            engine.run(QStringLiteral("SELECT build, digest FROM zeb_program WHERE program = ?"), {program});
        if (result.rows->next()) {
            published = result.rows->value(0);
            publishedDigest = result.rows->value(1);
        }
    }
    std::optional<QVariant> known;
    {
        const StatementResult result = engine.run(
            QStringLiteral("SELECT build FROM zeb_workstations WHERE computer = ? AND program = ?"),
            {computer, program});
        if (result.rows->next())
            known = result.rows->value(0);
    }
    const QVariantList seen = {request.ip.left(15), request.login.left(50), now, computer, program};
    if (!known) {
        engine.run(
            QStringLiteral("INSERT INTO zeb_workstations (build, last_ip, last_login, last_seen, computer, "
                           "program) VALUES (?, ?, ?, ?, ?, ?)"),
            QVariantList{published} + seen);
        return {};
    }
    const bool behind =
        !published.isNull() && (known->isNull() || known->toLongLong() < published.toLongLong());
    engine.run(
        QStringLiteral("UPDATE zeb_workstations SET build = ?, last_ip = ?, last_login = ?, last_seen = ? "
                       "WHERE computer = ? AND program = ?"),
        QVariantList{behind ? published : *known} + seen);
    if (!behind)
        return {};
    return {2, publishedDigest, published};
}

// Every byte of the Windows-1251 form lowered by one, as the client expects the account it is handed.
QString scrambled(const QString& text)
{
    QByteArray bytes = cp1251::encode(text);
    for (char& byte : bytes)
        byte = char(static_cast<unsigned char>(byte) - 1);
    return cp1251::decode(bytes);
}

// The person's own login with a password nobody has seen before; the file keeps only its digest, and the
// password handed out before stops opening connections.
std::pair<QString, QString> handOutAccount(SqliteEngine& engine, const User& user)
{
    const QString password = sqlitesession::newPassword();
    engine.run(QStringLiteral("UPDATE zeb_users SET session_digest = ? WHERE login = ?"),
               {sqlitesession::digest(password), user.login});
    return {scrambled(user.login), scrambled(password)};
}

} // namespace

StatementResult getUser(SqliteEngine& engine, const QList<ProcedureArgument>& arguments)
{
    const Request request = readRequest(arguments);
    const QDateTime now = QDateTime::currentDateTime();

    std::optional<User> user =
        possibleLogin(request.login) ? findUser(engine, request.login) : std::optional<User>();
    if (!user)
        return refusal(WrongLoginMessage);
    // A lock is told only to whoever knows the password.
    const bool right = request.digest == user->digest;
    if (user->disabled)
        return refusal(right ? DisabledMessage : WrongLoginMessage);
    if (user->lockedUntil.isValid() && user->lockedUntil > now)
        return refusal(right ? LockedMessage : WrongLoginMessage);
    if (!right)
        return registerFailure(engine, *user, now);

    engine.run(QStringLiteral("UPDATE zeb_users SET failed_count = 0, locked_until = NULL WHERE login = ?"),
               {user->login});
    if (!request.newDigest.isEmpty()) {
        if (request.newDigest == user->digest)
            return refusal(SamePasswordMessage);
        engine.run(QStringLiteral("UPDATE zeb_users SET pass_digest = ?, pass_changed = ?, must_change = 0 "
                                  "WHERE login = ?"),
                   {request.newDigest, now, user->login});
        user->digest = request.newDigest;
        user->passChanged = now;
        user->mustChange = false;
    }

    const qint64 passState = passwordState(*user, now);
    const Update update = updateState(engine, request, now);
    // A password that must be changed opens nothing until the change comes with the call.
    const auto [dbUser, dbPassword] =
        passState < 0 ? std::pair<QString, QString>() : handOutAccount(engine, *user);
    return answer({dbUser, dbPassword, user->fullName, passState, QVariant(), update.state, update.digest,
                   update.build});
}

} // namespace zeb::sqliteprocedures
