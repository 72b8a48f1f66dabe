#include "data/dataset/SlotColumn.h"

#include <algorithm>
#include <cstring>

namespace zeb {

void SlotColumn::allocateSlots(Chunk& chunk) const
{
    if (m_wide)
        chunk.wide = std::make_unique_for_overwrite<quint64[]>(size_t(chunk.capacity));
    else
        chunk.narrow = std::make_unique_for_overwrite<qint32[]>(size_t(chunk.capacity));
}

void SlotColumn::makeRoom()
{
    const int used = m_size & chunkMask;
    const bool full = m_chunks.empty() || used == 0;
    // Only a column's first chunk starts small, for the many short results.
    const int capacity = !full              ? std::min(used * 2, chunkSize)
                         : m_chunks.empty() ? firstChunkSize
                                            : chunkSize;
    if (full) {
        m_chunks.emplace_back();
        m_chunks.back().capacity = capacity;
    } else {
        Chunk& last = m_chunks.back();
        Chunk grown;
        grown.capacity = capacity;
        if (last.wide || last.narrow) {
            allocateSlots(grown);
            if (m_wide)
                std::memcpy(grown.wide.get(), last.wide.get(), size_t(used) * sizeof(quint64));
            else
                std::memcpy(grown.narrow.get(), last.narrow.get(), size_t(used) * sizeof(qint32));
        }
        grown.nulls = last.nulls;
        last = std::move(grown);
    }
    m_tail = &m_chunks.back();
    m_room = m_size + capacity - used;
}

void SlotColumn::store(Chunk& chunk, int index, quint64 slot)
{
    if (!m_wide && !fitsNarrow(slot))
        widen();
    if (!chunk.wide && !chunk.narrow)
        allocateSlots(chunk);
    write(chunk, index, slot);
}

void SlotColumn::widen()
{
    for (Chunk& chunk : m_chunks) {
        if (!chunk.narrow)
            continue;
        chunk.wide = std::make_unique_for_overwrite<quint64[]>(size_t(chunk.capacity));
        for (int i = 0; i < chunk.capacity; ++i)
            chunk.wide[size_t(i)] = quint64(qint64(chunk.narrow[size_t(i)]));
        chunk.narrow.reset();
    }
    m_wide = true;
}

void SlotColumn::release()
{
    std::vector<Chunk>().swap(m_chunks);
    m_size = 0;
    m_room = 0;
    m_wide = false;
    m_tail = nullptr;
}

void SlotColumn::set(int row, quint64 slot, bool null)
{
    Chunk& chunk = m_chunks[size_t(row >> chunkBits)];
    const int index = row & chunkMask;
    quint64& bits = chunk.nulls[size_t(index >> 6)];
    const quint64 bit = quint64(1) << (index & 63);
    bits = null ? bits | bit : bits & ~bit;
    if (!null)
        store(chunk, index, slot);
}

qsizetype SlotColumn::memoryUsage() const
{
    qsizetype bytes = qsizetype(m_chunks.capacity() * sizeof(Chunk));
    for (const Chunk& chunk : m_chunks) {
        if (chunk.wide)
            bytes += qsizetype(chunk.capacity) * qsizetype(sizeof(quint64));
        else if (chunk.narrow)
            bytes += qsizetype(chunk.capacity) * qsizetype(sizeof(qint32));
    }
    return bytes;
}

} // namespace zeb
