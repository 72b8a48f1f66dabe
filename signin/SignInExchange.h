#pragma once

#include "credentials/FirstConnectInfo.h"
#include "signin/GetUserAnswer.h"

#include <QString>
#include <exception>
#include <optional>

namespace zeb {

class Connection;

// The steps of a sign-in attempt that the client's dialog and the installation tool share.

// Why a connection on the settings file's account could not open.
struct ConnectFailure
{
    // The error's text, without the account's user id.
    QString message;
    // A server that cannot be reached or takes no connections now: the login and password were never
    // checked, and the explanation says so in Russian, naming the server.
    bool serverFault = false;
    QString explanation;
};

// The first connection, on the settings file's account. A connection that cannot open is not the end of the
// attempt: what went wrong is returned for the user to see.
std::optional<ConnectFailure> openWithSettings(Connection& connection, const FirstConnectInfo& settings);

// Whether a failed exchange is the server's fault rather than the statement's: the explanation to show then.
std::optional<QString> serverFaultOf(const std::exception& error);

// Runs the GET_USER statement and reads its answer; the cursor is gone before anyone closes the connection.
GetUserAnswer runGetUser(Connection& connection, const QString& statement);

// The settings' server and database with the account GET_USER handed out.
FirstConnectInfo returnedAccount(FirstConnectInfo settings, const GetUserAnswer& answer);

// Shown when the server demands or proposes a new password.
QString passwordChangeMessage();

} // namespace zeb
