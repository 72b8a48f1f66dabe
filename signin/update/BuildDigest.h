#pragma once

#include <QString>

namespace zeb {

// Lower-case hex SHA-256 of a file's bytes. Raises IoError when the file cannot be read.
QString fileSha256(const QString& path);

// True when the file is the published build: its SHA-256 equals publishedDigest, hex in either letter case.
// Nothing published (an empty digest) matches no file.
bool isPublishedBuild(const QString& path, const QString& publishedDigest);

} // namespace zeb
