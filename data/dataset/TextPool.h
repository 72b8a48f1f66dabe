#pragma once

#include <QtGlobal>
#include <cstring>
#include <memory>
#include <utility>

namespace zeb {

// The UTF-8 bytes of a row store's texts one after another, each found again by its offset. Opening a
// unit appends a few texts a line, so an append is a copy into room already there.
class TextPool
{
public:
    TextPool() = default;
    TextPool(TextPool&& other) noexcept { *this = std::move(other); }
    TextPool& operator=(TextPool&& other) noexcept
    {
        m_bytes = std::move(other.m_bytes);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        return *this;
    }

    qsizetype size() const { return m_size; }
    qsizetype capacity() const { return m_capacity; }
    // An empty text reads as empty, not as null, even from a pool that holds no bytes yet.
    const char* at(qsizetype offset) const { return m_bytes ? m_bytes.get() + offset : ""; }

    // Returns the offset of the bytes.
    qsizetype append(const char* bytes, qsizetype length)
    {
        if (length > m_capacity - m_size)
            grow(length);
        const qsizetype offset = m_size;
        if (length > 0)
            std::memcpy(m_bytes.get() + offset, bytes, size_t(length));
        m_size += length;
        return offset;
    }
    // Gives back the room no text uses.
    void squeeze();
    void clear();

private:
    struct Free
    {
        void operator()(char* bytes) const;
    };

    void grow(qsizetype length);
    void resize(qsizetype capacity);

    // Held by malloc: a large pool grows and shrinks in place.
    std::unique_ptr<char, Free> m_bytes;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

} // namespace zeb
