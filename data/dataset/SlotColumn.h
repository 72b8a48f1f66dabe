#pragma once

#include <QtGlobal>
#include <vector>

namespace zeb {

// The 8-byte slots and null flags of one stored column, in chunks that never move once full: a growing
// column copies nothing but a first chunk still smaller than a chunk, and holds at most one chunk unused.
class SlotColumn
{
public:
    static constexpr int chunkBits = 10;
    static constexpr int chunkSize = 1 << chunkBits;

    int size() const { return m_size; }
    // Rows known to come: they get chunks of exactly that size.
    void reserve(int rows);
    void append(quint64 slot, bool null)
    {
        if (m_size == m_room)
            makeRoom();
        Chunk& chunk = m_chunks.back();
        chunk.slots.push_back(slot);
        chunk.nulls.push_back(null);
        ++m_size;
    }
    // Gives every chunk back.
    void release();

    quint64 slot(int row) const { return m_chunks[size_t(row >> chunkBits)].slots[size_t(row & chunkMask)]; }
    bool isNull(int row) const { return m_chunks[size_t(row >> chunkBits)].nulls[size_t(row & chunkMask)]; }
    void set(int row, quint64 slot, bool null);

    qsizetype memoryUsage() const;

private:
    static constexpr int chunkMask = chunkSize - 1;
    static constexpr int firstChunkSize = 16;

    struct Chunk
    {
        std::vector<quint64> slots;
        std::vector<bool> nulls;
    };

    void makeRoom();

    std::vector<Chunk> m_chunks;
    int m_size = 0;
    // Rows held once the last chunk is full.
    int m_room = 0;
    int m_reserved = 0;
};

} // namespace zeb
