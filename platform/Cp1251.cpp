#include "platform/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zeb::cp1251 {

namespace {
constexpr auto codecName = "windows-1251";
}

QByteArray encode(const QString& text)
{
    QStringEncoder encoder(codecName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        bytes.replace('\x1a', '?');
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder(codecName);
    return decoder.decode(bytes);
}

} // namespace zeb::cp1251
