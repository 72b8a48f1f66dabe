#include "data/pg/PgParameters.h"

#include "data/pg/PgTextFormat.h"

namespace zeb {

PgParameters::PgParameters(const QVariantList& values)
{
    m_texts.reserve(values.size());
    m_values.reserve(size_t(values.size()));
    for (const QVariant& value : values) {
        if (pgIsNull(value)) {
            m_values.push_back(nullptr);
            continue;
        }
        m_texts.append(pgTextOf(value));
        m_values.push_back(m_texts.constLast().constData());
    }
}

} // namespace zeb
