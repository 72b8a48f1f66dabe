#include "server/AdministratorLogin.h"

#include "data/DatabaseError.h"
#include "data/Engine.h"

namespace zeb {

void openAsAdministrator(Engine& engine, const QString& server, const QString& user)
{
    try {
        engine.open();
    } catch (const DatabaseError& error) {
        throw DatabaseError(QStringLiteral("Не удалось подключиться к серверу «%1» как «%2»: %3")
                                .arg(server, user, error.message()));
    }
}

} // namespace zeb
