#include "server/BaseData.h"

#include "data/Engine.h"
#include "server/ServerScript.h"

namespace zeb {

const char* BaseData::placeholderPost()
{
    return "Новая должность";
}

void BaseData::fill(Engine& engine)
{
    engine.runScript(serverScript(ServerScript::Reference));
}

} // namespace zeb
