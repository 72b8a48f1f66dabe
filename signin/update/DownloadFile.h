#pragma once

#include <QString>

namespace zeb {

// Fetches url into localPath through the platform, at most maxBytes of it; true when the file was fully
// written. The body is collected in "<localPath>.part" and takes the final name only once all of it
// arrived with a success status; a failed download (error page, empty answer, cut connection, an answer
// longer than maxBytes) leaves neither file, whatever was there before. Raises IoError when either file
// cannot be written; a disk that fills up is named, with the space left on it.
bool downloadFile(const QString& url, const QString& localPath, qint64 maxBytes);

} // namespace zeb
