#pragma once

#include <QString>

namespace zeb {

// Fetches url into localPath through the platform; true when the file was fully written. The file is
// created or emptied first and receives the body only once all of it arrived with a success status, so a
// failed download (error page, empty answer, cut connection) leaves it empty. The body is collected in
// "<localPath>.part". Raises IoError when either file cannot be written.
bool DownloadFile(const QString& url, const QString& localPath);

} // namespace zeb
