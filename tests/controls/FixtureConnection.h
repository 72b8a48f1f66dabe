#pragma once

#include "data/Connection.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <memory>

// A fresh embedded installation holding the small schedule, signed in. Made once per test program: an
// installation takes about a second.
struct FixtureConnection
{
    FixtureConnection() : installation(zeb::EngineKind::Sqlite), connection(installation.signedInConnection())
    {
        loadScheduleFixture(*connection);
    }

    zeb::TestInstallation installation;
    std::unique_ptr<zeb::Connection> connection;
};
