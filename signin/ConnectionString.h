#pragma once

#include "FirstConnectInfo.h"

#include <QString>

namespace zeb {

// The connection string of both connections of a sign-in attempt. Values go in as they are: a value with a
// semicolon cannot be expressed, and the settings never hold one.
QString buildConnectionString(const TFirstConnectInfo& info);

// The text of a failed first connection with every occurrence of the settings file's user id taken out
// (exact case); an empty user id leaves the text as it is.
QString removeAll(const QString& errorText, const QString& userId);

} // namespace zeb
