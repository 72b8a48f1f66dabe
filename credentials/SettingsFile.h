#pragma once

#include "credentials/FirstConnectInfo.h"

#include <QByteArray>
#include <QString>

namespace zeb {

// The file "Data/ZEB" beside the executable: the account allowed to run GET_USER, the server and the
// database, 84 bytes in four scrambled 20-byte fields, each with a length byte.
class SettingsFile
{
public:
    static constexpr qsizetype size = 84;
    static constexpr qsizetype fieldSize = 20;

    SettingsFile() = delete;

    static QString defaultPath();

    // Reads the first 84 bytes anew at every call; bytes after them are ignored. Raises IoError naming the
    // file when it is missing, cannot be read or is shorter than 84 bytes.
    static FirstConnectInfo read(const QString& path);

    // Decodes the first 84 bytes. A length byte above 20 takes the whole field, 0 gives an empty value;
    // zero bytes are kept as QChar(0). Raises Error when fewer than 84 bytes are given.
    static FirstConnectInfo decode(const QByteArray& bytes);

    // Each value is padded with zero bytes to 20 and the whole field is scrambled, so the fill is stored
    // as 0xFF. Raises Error when a value is longer than 20 bytes or has a character outside Windows-1251.
    static QByteArray encode(const FirstConnectInfo& info);

    // Writes the 84 bytes, readable by the owner alone, creating the folder (owner only); the old file stays
    // intact when writing fails.
    static void write(const QString& path, const FirstConnectInfo& info);
};

} // namespace zeb
