#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace zeb {

// Writes a file through `write` into a temporary file beside `path`, which takes the final name only once
// it is whole: a failed or cancelled write leaves whatever was there before. Raises IoError naming the file.
void saveFile(const QString& path, const std::function<void(QIODevice&)>& write);

} // namespace zeb
