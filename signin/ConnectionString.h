#pragma once

#include "credentials/FirstConnectInfo.h"

#include <QString>

namespace zeb {

// Raises Error naming the first value that holds a semicolon: the connection string separates its parts
// with it, so such a value would reach the server cut short.
void checkConnectionValues(const FirstConnectInfo& info);

// The connection string of both connections of a sign-in attempt. Values go in as they are; one with a
// semicolon cannot be expressed and is refused as checkConnectionValues() says.
QString buildConnectionString(const FirstConnectInfo& info);

// The text of a failed first connection with every occurrence of the settings file's user id taken out
// (exact case); an empty user id leaves the text as it is.
QString removeAll(const QString& errorText, const QString& userId);

} // namespace zeb
