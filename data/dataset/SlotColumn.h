#pragma once

#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

namespace zeb {

// The 8-byte slots and null flags of one stored column, in chunks that never move once full: a growing
// column copies nothing but a first chunk still smaller than a chunk, and holds at most one chunk unused.
// While every slot of the column is a 4-byte signed number sign-extended (keys, codes, dates) only those
// 4 bytes are kept, and a chunk whose cells are all NULL keeps no slots at all: a unit's lines then take
// about half the memory, and opening one touches half as many fresh pages.
class SlotColumn
{
public:
    static constexpr int chunkBits = 10;
    static constexpr int chunkSize = 1 << chunkBits;

    int size() const { return m_size; }
    // Opening a unit appends every cell through here.
    void append(quint64 slot, bool null)
    {
        if (m_size == m_room)
            makeRoom();
        const int index = m_size & chunkMask;
        if (null)
            m_tail->nulls[size_t(index >> 6)] |= quint64(1) << (index & 63);
        else if (m_wide ? bool(m_tail->wide) : m_tail->narrow && fitsNarrow(slot))
            write(*m_tail, index, slot);
        else
            store(*m_tail, index, slot);
        ++m_size;
    }
    // Gives every chunk back.
    void release();

    // The slot of a non-NULL cell; a NULL cell's means nothing.
    quint64 slot(int row) const
    {
        const Chunk& chunk = m_chunks[size_t(row >> chunkBits)];
        const size_t index = size_t(row & chunkMask);
        if (chunk.wide)
            return chunk.wide[index];
        return chunk.narrow ? quint64(qint64(chunk.narrow[index])) : 0;
    }
    bool isNull(int row) const
    {
        const Chunk& chunk = m_chunks[size_t(row >> chunkBits)];
        const int index = row & chunkMask;
        return (chunk.nulls[size_t(index >> 6)] >> (index & 63)) & 1;
    }
    void set(int row, quint64 slot, bool null);

    qsizetype memoryUsage() const;

private:
    static constexpr int chunkMask = chunkSize - 1;
    static constexpr int firstChunkSize = 16;

    struct Chunk
    {
        // `capacity` slots, of 4 bytes while the column is narrow; none while every cell is NULL.
        std::unique_ptr<quint64[]> wide;
        std::unique_ptr<qint32[]> narrow;
        int capacity = 0;
        std::array<quint64, chunkSize / 64> nulls{};
    };

    static bool fitsNarrow(quint64 slot) { return qint64(slot) == qint64(qint32(slot)); }
    void write(Chunk& chunk, int index, quint64 slot) const
    {
        if (m_wide)
            chunk.wide[size_t(index)] = slot;
        else
            chunk.narrow[size_t(index)] = qint32(slot);
    }
    // Slots are written before they are read.
    void allocateSlots(Chunk& chunk) const;
    // Writes a slot the chunk has no room for yet, or one too wide for the column.
    void store(Chunk& chunk, int index, quint64 slot);
    void widen();
    void makeRoom();

    std::vector<Chunk> m_chunks;
    int m_size = 0;
    // Rows held once the last chunk is full.
    int m_room = 0;
    bool m_wide = false;
    Chunk* m_tail = nullptr;
};

} // namespace zeb
