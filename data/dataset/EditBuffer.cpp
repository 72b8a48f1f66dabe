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
    for (const int column : m_writtenColumns) {
        m_values[size_t(column)] = QVariant();
        m_written[size_t(column)] = false;
    }
    m_writtenColumns.clear();
}

void EditBuffer::write(int column, const QVariant& value)
{
    m_values[size_t(column)] = value;
    if (!m_written[size_t(column)])
        m_writtenColumns.push_back(column);
    m_written[size_t(column)] = true;
}

} // namespace zeb
