#include "tests/support/EngineConnections.h"

#include "data/Connection.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

namespace zeb {

EngineConnections::EngineConnections() = default;

EngineConnections::~EngineConnections()
{
    clear();
}

void EngineConnections::install(const std::function<void(Connection&, TestInstallation&)>& load)
{
    for (const auto& [name, engine] : installableEngines) {
        m_installations[engine] = std::make_unique<TestInstallation>(engine);
        m_connections[engine] = m_installations[engine]->signedInConnection();
        load(*m_connections[engine], *m_installations[engine]);
    }
}

Connection& EngineConnections::connection(EngineKind engine) const
{
    return *m_connections.at(engine);
}

Connection& EngineConnections::current() const
{
    QFETCH(EngineKind, engine);
    return connection(engine);
}

// The connections go before the installations whose servers they talk to.
void EngineConnections::clear()
{
    m_connections.clear();
    m_installations.clear();
}

} // namespace zeb
