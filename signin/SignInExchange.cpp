#include "signin/SignInExchange.h"

#include "data/Connection.h"
#include "signin/ConnectionString.h"
#include "data/DatabaseError.h"
#include "data/ResultCursor.h"

namespace zeb {

std::optional<ConnectFailure> openWithSettings(Connection& connection, const FirstConnectInfo& settings)
{
    connection.setConnectionString(buildConnectionString(settings));
    try {
        connection.open();
    } catch (const Error& error) {
        ConnectFailure failure;
        failure.message = removeAll(error.message(), settings.userId);
        if (const std::optional<QString> explanation = serverFaultOf(error)) {
            failure.serverFault = true;
            failure.explanation = removeAll(*explanation, settings.userId);
        }
        return failure;
    }
    return std::nullopt;
}

std::optional<QString> serverFaultOf(const std::exception& error)
{
    const auto* database = dynamic_cast<const DatabaseError*>(&error);
    if (!database || !isServerFault(database->fault()))
        return std::nullopt;
    return database->explanation();
}

GetUserAnswer runGetUser(Connection& connection, const QString& statement)
{
    const std::unique_ptr<ResultCursor> cursor = connection.query(statement);
    return GetUserAnswer::read(*cursor);
}

FirstConnectInfo returnedAccount(FirstConnectInfo settings, const GetUserAnswer& answer)
{
    settings.userId = answer.unscrambledUserId();
    settings.password = answer.unscrambledPassword();
    return settings;
}

QString passwordChangeMessage()
{
    return QStringLiteral(
        "Вы должны поменять пароль\rЭто делается для безопастности и сохранения данных от злоумышлеников");
}

} // namespace zeb
