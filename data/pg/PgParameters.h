#pragma once

#include <QByteArray>
#include <QList>
#include <QVariantList>
#include <vector>

namespace zeb {

// Statement parameters in PostgreSQL's text form, laid out as PQsendQueryParams takes them.
class PgParameters
{
public:
    explicit PgParameters(const QVariantList& values);

    int count() const { return int(m_values.size()); }
    const char* const* values() const { return m_values.data(); }

private:
    QList<QByteArray> m_texts;
    std::vector<const char*> m_values;
};

} // namespace zeb
