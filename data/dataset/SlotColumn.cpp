#include "SlotColumn.h"

#include <algorithm>

namespace zeb {

void SlotColumn::reserve(int rows)
{
    m_reserved = std::max(m_reserved, rows);
    m_chunks.reserve(size_t((m_reserved + chunkMask) >> chunkBits));
}

void SlotColumn::makeRoom()
{
    if (m_chunks.empty() || m_chunks.back().slots.size() == size_t(chunkSize))
        m_chunks.emplace_back();
    Chunk& chunk = m_chunks.back();
    const size_t used = chunk.slots.size();
    // The rows still known to come fill this chunk exactly; without them a chunk starts small.
    const size_t wanted = m_reserved > m_size                 ? size_t(m_reserved - m_size) + used
                          : used == 0 && m_chunks.size() == 1 ? size_t(firstChunkSize)
                          : used == 0                         ? size_t(chunkSize)
                                                              : used * 2;
    const size_t capacity = std::min(wanted, size_t(chunkSize));
    chunk.slots.reserve(capacity);
    chunk.nulls.reserve(capacity);
    m_room = m_size + int(capacity - used);
}

void SlotColumn::release()
{
    std::vector<Chunk>().swap(m_chunks);
    m_size = 0;
    m_room = 0;
    m_reserved = 0;
}

void SlotColumn::set(int row, quint64 slot, bool null)
{
    Chunk& chunk = m_chunks[size_t(row >> chunkBits)];
    chunk.slots[size_t(row & chunkMask)] = slot;
    chunk.nulls[size_t(row & chunkMask)] = null;
}

qsizetype SlotColumn::memoryUsage() const
{
    qsizetype bytes = qsizetype(m_chunks.capacity() * sizeof(Chunk));
    for (const Chunk& chunk : m_chunks)
        bytes += qsizetype(chunk.slots.capacity() * sizeof(quint64) + chunk.nulls.capacity() / 8);
    return bytes;
}

} // namespace zeb
