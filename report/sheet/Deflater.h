#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace zeb {

// Compresses one block after another into the zlib format PDF streams are filtered with. The state and the
// output buffer are kept from block to block: setting them up is dearer than compressing a page.
class Deflater
{
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Valid until the next call.
    QByteArrayView compress(const QByteArray& data);

private:
    struct State;
    std::unique_ptr<State> m_state;
    QByteArray m_out;
};

} // namespace zeb
