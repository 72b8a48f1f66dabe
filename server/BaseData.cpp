#include "BaseData.h"

#include "Engine.h"
#include "ServerScript.h"

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
