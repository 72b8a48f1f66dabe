#pragma once

#include "tests/support/TestInstallation.h"

#include <memory>

namespace benchmark {
class State;
}

namespace zeb {
class DataModule;
}

enum class Numbering
{
    Numbered,
    // Num NULL, as lines arrive from an import before the schedule numbers them.
    Unnumbered,
};

// An installation whose division 1 holds `count` schedule lines with every column in use.
std::unique_ptr<zeb::TestInstallation> installWithLines(zeb::EngineKind engine, int count,
                                                        Numbering numbering = Numbering::Numbered);

// The division's lines as the client asks for them.
QString divisionStatement();

// Signs the data module in to the installation and opens its datasets; the schedule dataset is left on
// the division's statement, closed.
void openDataModule(zeb::DataModule& module, const zeb::TestInstallation& installation);

// False, with the benchmark marked skipped, outside scripts/with-test-postgres.sh.
bool postgresAvailable(benchmark::State& state);
