#pragma once

#include <QString>

namespace zeb {

class Engine;

// Opens a server engine as the administrator. A refused connection is told in Russian, naming the server and
// the login, before the server's or driver's own words.
void openAsAdministrator(Engine& engine, const QString& server, const QString& user);

} // namespace zeb
