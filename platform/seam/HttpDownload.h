#pragma once

#include "platform/seam/Platform.h"

#include <QUrl>
#include <chrono>

class QIODevice;

namespace zeb {

// Fetches url (http or https) into target as the body arrives and returns when the transfer has ended; user
// input waits meanwhile. Redirections are followed unless they lead from HTTPS to HTTP. Complete only when
// the final answer has a 2xx status and its body, at least one byte, arrived whole (as long as its
// Content-Length says, when it gives one). Nothing of another status's body is written. An answer that
// announces or delivers more than `maxBytes` is abandoned with nothing past that written (TooLarge); a
// write the target refuses abandons it too (WriteFailed). The transfer is abandoned after `inactivity`
// without data.
DownloadResult httpDownload(const QUrl& url, QIODevice& target, qint64 maxBytes,
                            std::chrono::milliseconds inactivity = std::chrono::seconds(30));

} // namespace zeb
