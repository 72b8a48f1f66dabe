#pragma once

#include "data/ConnectionParams.h"

#include <QString>
#include <memory>

namespace zeb {

class Dialect;
class Engine;

// The engine a Data Source names, as the program's connection opens it (the embedded file held to the
// credentials of the connection string); dataDirectory resolves a relative embedded database file. Not open.
std::unique_ptr<Engine> createEngine(const ConnectionParams& params, const QString& dataDirectory);

// The dialect of an engine kind, for statements written before an engine is open.
const Dialect& dialectOf(EngineKind kind);

} // namespace zeb
