#include "data/Transaction.h"

#include "data/Engine.h"

#include <exception>
#include <utility>

namespace zeb {

Transaction::Transaction(Engine& engine) : m_engine(engine)
{
    m_engine.beginTransaction();
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::commit()
{
    m_engine.commit();
    m_open = false;
}

void Transaction::rollback()
{
    if (!std::exchange(m_open, false))
        return;
    try {
        m_engine.rollback();
    } catch (const std::exception&) {
        // What went wrong before is what the caller reports.
    }
}

} // namespace zeb
