#pragma once

#include <QString>

namespace zeb {

// The update server is installation data: one line in "Data/update-server.txt" in home, such as
// "http://updates.example.local:8080" or "https://updates.example.local". Without the file or with a blank
// line there is no server.
class UpdateServer
{
public:
    UpdateServer() = delete;

    static QString configPath(const QString& home);
    // The base address without trailing slashes; empty when there is no server. Raises IoError when the
    // file exists but cannot be read.
    static QString baseAddress(const QString& home);
};

} // namespace zeb
