#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace zeb {

// Writes a file through `write` into a new temporary file beside `path`, readable and writable by its owner
// only, which takes the final name once it is whole: a failed or cancelled write leaves whatever was there
// before. The temporary file is made afresh (never opened through a name someone else made), and the
// final name is taken by renaming, which replaces a link found there instead of writing where it points.
// Raises IoError naming the file.
void saveFile(const QString& path, const std::function<void(QIODevice&)>& write);

// The same for a writer that wants a file name, not a device: `write` writes the file it is given, inside a
// new folder beside `path` that only its owner can enter, and the whole file takes the final name.
void saveFileByName(const QString& path, const std::function<void(const QString& file)>& write);

} // namespace zeb
