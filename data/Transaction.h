#pragma once

namespace zeb {

class Engine;

// Holds a transaction of `engine` for a scope: begun on construction, rolled back on leaving the scope
// unless committed. A failed rollback there is not raised: the error that left the scope is the one to
// tell, and a server that lost the connection rolls back by itself.
class Transaction
{
public:
    explicit Transaction(Engine& engine);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    // Ends the transaction now, before the scope does; its failure is not raised either.
    void rollback();

private:
    Engine& m_engine;
    bool m_open = true;
};

} // namespace zeb
