#include "data/dataset/TextPool.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace zeb {

void TextPool::Free::operator()(char* bytes) const
{
    std::free(bytes);
}

void TextPool::grow(qsizetype length)
{
    resize(std::max({m_size + length, m_capacity * 2, qsizetype(256)}));
}

void TextPool::squeeze()
{
    if (m_size < m_capacity)
        resize(m_size);
}

void TextPool::resize(qsizetype capacity)
{
    if (capacity == 0) {
        clear();
        return;
    }
    char* bytes = static_cast<char*>(std::realloc(m_bytes.get(), size_t(capacity)));
    if (!bytes)
        throw std::bad_alloc();
    (void)m_bytes.release();
    m_bytes.reset(bytes);
    m_capacity = capacity;
}

void TextPool::clear()
{
    m_bytes.reset();
    m_size = 0;
    m_capacity = 0;
}

} // namespace zeb
