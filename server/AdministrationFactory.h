#pragma once

#include "credentials/FirstConnectInfo.h"
#include "data/ConnectionParams.h"

namespace zeb {

class EngineAdministration;

// The administration of installations on an engine.
const EngineAdministration& administrationOf(EngineKind kind);
// The same for the engine an installation's settings name.
const EngineAdministration& administrationOf(const FirstConnectInfo& settings);

} // namespace zeb
