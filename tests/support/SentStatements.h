#pragma once

#include <QStringList>

namespace zeb {

// The statements the client sends (the "sent:" lines of the zeb.sql trace) while this object lives.
class SentStatements
{
public:
    SentStatements();
    ~SentStatements();
    SentStatements(const SentStatements&) = delete;
    SentStatements& operator=(const SentStatements&) = delete;

    const QStringList& list() const { return m_sent; }
    void clear() { m_sent.clear(); }

private:
    QStringList m_sent;
};

} // namespace zeb
