#include "data/dataset/EditBuffer.h"

namespace zeb {

void EditBuffer::start(int columnCount)
{
    clear();
    m_values.resize(size_t(columnCount));
    m_written.resize(size_t(columnCount), false);
}

// Only the written cells hold anything to let go of.
void EditBuffer::clear()
{
    for (size_t c = 0; c < m_written.size(); ++c) {
        if (m_written[c]) {
            m_values[c] = QVariant();
            m_written[c] = false;
        }
    }
}

void EditBuffer::write(int column, const QVariant& value)
{
    m_values[size_t(column)] = value;
    m_written[size_t(column)] = true;
}

} // namespace zeb
