#include "SignInExchange.h"

#include "Connection.h"
#include "ConnectionString.h"
#include "Error.h"
#include "ResultCursor.h"

namespace zeb {

std::optional<QString> openWithSettings(Connection& connection, const TFirstConnectInfo& settings)
{
    connection.setConnectionString(buildConnectionString(settings));
    try {
        connection.open();
    } catch (const Error& error) {
        return removeAll(error.message(), settings.userId);
    }
    return std::nullopt;
}

GetUserAnswer runGetUser(Connection& connection, const QString& statement)
{
    const std::unique_ptr<ResultCursor> cursor = connection.query(statement);
    return GetUserAnswer::read(*cursor);
}

TFirstConnectInfo returnedAccount(TFirstConnectInfo settings, const GetUserAnswer& answer)
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
