#include "tools/ClientSignIn.h"

#include "credentials/SettingsFile.h"
#include "data/Connection.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "signin/ConnectionString.h"
#include "signin/GetUserAnswer.h"
#include "signin/GetUserOutcome.h"
#include "signin/GetUserStatement.h"
#include "signin/SignInExchange.h"
#include "tools/Arguments.h"
#include "tools/Console.h"

#include <QHostInfo>
#include <QSysInfo>

namespace zeb {

namespace {

// The workstation's address as the sign-in sends it: the first IPv4 address of the own host name.
QString ownAddress()
{
    const QList<QHostAddress> addresses = QHostInfo::fromName(QHostInfo::localHostName()).addresses();
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

// The sign-in's GET_USER exchange on the settings file's account, as the client's first attempt makes it.
GetUserAnswer askServer(Connection& connection, const FirstConnectInfo& settings, const QString& login,
                        const QString& password)
{
    // The client shows a failed opening and tries once more; a database that cannot be opened at all never
    // judged the login and password, so its reason is the verdict.
    if (const std::optional<ConnectFailure> first = openWithSettings(connection, settings)) {
        if (const std::optional<ConnectFailure> second = openWithSettings(connection, settings))
            throw Error(second->message);
        console::printError(first->message);
    }
    GetUserStatement statement;
    statement.login = login;
    statement.password = password;
    statement.ip = ownAddress();
    statement.computerName = QSysInfo::machineHostName();
    try {
        return runGetUser(connection, statement.text());
    } catch (const Error& error) {
        if (serverFaultOf(error))
            throw Error(error.message());
        console::printError(error.message());
        throw Error(QStringLiteral("Неверно ввели логин или пароль."));
    }
}

} // namespace

void signInAsClient(Connection& connection, const QString& directory, const QString& login,
                    const QString& password)
{
    FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(directory));
    connection.setDataDirectory(Installation::dataDirectory(directory));

    GetUserAnswer answer = askServer(connection, settings, login, password);
    GetUserOutcome outcome = decideOutcome(answer, 1);
    if (outcome == GetUserOutcome::Update) {
        console::printError(
            QStringLiteral("Сервер сообщает о новой версии программы; инструмент обновление пропускает."));
        answer.updateIndicator = 0;
        outcome = decideOutcome(answer, 1);
    }
    switch (outcome) {
    case GetUserOutcome::ServerMessage:
        throw Error(answer.message);
    case GetUserOutcome::ChangeDemanded:
        throw Error(passwordChangeMessage());
    case GetUserOutcome::ChangeProposed:
        console::printError(
            QStringLiteral("Срок действия пароля скоро истекает; программа предложит его сменить."));
        break;
    case GetUserOutcome::Update:
    case GetUserOutcome::Accepted:
        break;
    }

    connection.close();
    connection.setConnectionString(buildConnectionString(returnedAccount(settings, answer)));
    connection.open();
    connection.run(QStringLiteral("SET DATEFORMAT dmy"));
}

void signInAsClient(Connection& connection, const Arguments& arguments)
{
    const QString login = arguments.required(QStringLiteral("login"));
    const QString password = arguments.required(QStringLiteral("password"));
    signInAsClient(connection, arguments.positional().at(0), login, password);
}

} // namespace zeb
