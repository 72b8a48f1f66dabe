#include "report/sheet/Deflater.h"

#include <zlib.h>

namespace zeb {

struct Deflater::State
{
    z_stream stream{};
};

Deflater::Deflater() : m_state(std::make_unique<State>())
{
    // The fastest level: a sheet's operators repeat so much that it still takes a fifth of the size.
    deflateInit(&m_state->stream, Z_BEST_SPEED);
}

Deflater::~Deflater()
{
    deflateEnd(&m_state->stream);
}

QByteArrayView Deflater::compress(const QByteArray& data)
{
    z_stream& stream = m_state->stream;
    deflateReset(&stream);
    const uLong bound = deflateBound(&stream, uLong(data.size()));
    // Only ever grown, so that the buffer is not handed back and taken again page after page.
    if (m_out.size() < qsizetype(bound))
        m_out.resize(qsizetype(bound));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(m_out.data());
    stream.avail_out = uInt(m_out.size());
    deflate(&stream, Z_FINISH);
    return QByteArrayView(m_out.constData(), qsizetype(stream.total_out));
}

} // namespace zeb
