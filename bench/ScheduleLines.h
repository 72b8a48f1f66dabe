#pragma once

#include "TestInstallation.h"

#include <memory>

// An installation whose division 1 holds `count` numbered schedule lines with every column in use.
std::unique_ptr<zeb::TestInstallation> installWithLines(zeb::EngineKind engine, int count);

// The division's lines as the client asks for them.
QString divisionStatement();
