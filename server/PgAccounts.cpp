#include "server/PgAccounts.h"

#include "data/Engine.h"
#include "platform/Error.h"
#include "server/ServerScript.h"

#include <QRegularExpression>

namespace zeb {

namespace {

void checkName(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[a-z][a-z0-9_]*$"));
    if (!identifier.match(name).hasMatch())
        throw Error(
            QStringLiteral("Имя «%1» не годится для учётной записи сервера: допустимы строчные латинские "
                           "буквы, цифры и «_», первой должна быть буква.")
                .arg(name));
}

void checkPassword(const QString& password)
{
    static const QRegularExpression alphanumeric(QStringLiteral("^[A-Za-z0-9]+$"));
    if (!alphanumeric.match(password).hasMatch())
        throw Error(QStringLiteral("Пароль учётной записи входа должен состоять из латинских букв и цифр."));
}

} // namespace

void applyPgAccounts(Engine& engine, const QString& database, const ServerAccount& signin,
                     const QString& workGroup)
{
    checkName(database);
    checkName(signin.user);
    checkName(workGroup);
    checkPassword(signin.password);
    const QHash<QString, QString> values{
        {QStringLiteral("DATABASE"), database},
        {QStringLiteral("SIGNIN_ROLE"), signin.user},
        {QStringLiteral("SIGNIN_PASSWORD"), signin.password},
        {QStringLiteral("WORK_ROLE"), workGroup},
    };
    engine.runScript(serverScript(ServerScript::PgAccounts, values));
    // The lines' history grants its rights to these roles; making it here gives it to new and repaired
    // installations alike.
    engine.runScript(serverScript(ServerScript::PgHistory, values));
}

} // namespace zeb
