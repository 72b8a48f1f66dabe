#pragma once

#include <QString>

namespace zeb {

class Engine;

// Shuts the PostgreSQL login GET_USER made for the person with this stored login: it can no longer log in,
// and its open sessions end now, waiting a few seconds for them. Nothing happens when the person never
// signed in. Needs an engine with the administrator's rights.
void shutPgPersonLogin(Engine& engine, const QString& login);

} // namespace zeb
