#pragma once

#include "data/ConnectionParams.h"

#include <functional>
#include <map>
#include <memory>

namespace zeb {

class Connection;
class TestInstallation;

// One installation per installable engine with a connection signed in as the client, for tests that only
// read a fixture loaded once.
class EngineConnections
{
public:
    EngineConnections();
    ~EngineConnections();

    // Installs every engine, signs in and loads the fixture with `load`; raises as they do.
    void install(const std::function<void(Connection&, TestInstallation&)>& load);
    Connection& connection(EngineKind engine) const;
    // The connection of the engine in the current test row's "engine" column.
    Connection& current() const;
    void clear();

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
    std::map<EngineKind, std::unique_ptr<Connection>> m_connections;
};

} // namespace zeb
