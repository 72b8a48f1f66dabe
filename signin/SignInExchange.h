#pragma once

#include "FirstConnectInfo.h"
#include "GetUserAnswer.h"

#include <QString>
#include <optional>

namespace zeb {

class Connection;

// The steps of a sign-in attempt that the client's dialog and the installation tool share.

// The first connection, on the settings file's account. A connection that cannot open is not the end of the
// attempt: its error text, without the account's user id, is returned for the user to see.
std::optional<QString> openWithSettings(Connection& connection, const TFirstConnectInfo& settings);

// Runs the GET_USER statement and reads its answer; the cursor is gone before anyone closes the connection.
GetUserAnswer runGetUser(Connection& connection, const QString& statement);

// The settings' server and database with the account GET_USER handed out.
TFirstConnectInfo returnedAccount(TFirstConnectInfo settings, const GetUserAnswer& answer);

// Shown when the server demands or proposes a new password.
QString passwordChangeMessage();

} // namespace zeb
