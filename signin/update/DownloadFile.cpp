#include "DownloadFile.h"

#include "Error.h"
#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace zeb {

namespace {

IoError cannotWrite(const QFile& file)
{
    return IoError(QStringLiteral("Не удалось записать файл «%1»: %2")
                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

void createEmpty(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotWrite(file);
}

} // namespace

bool DownloadFile(const QString& url, const QString& localPath)
{
    createEmpty(localPath);

    QFile part(localPath + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotWrite(part);
    const bool fetched = Platform::instance().download(QUrl(url), part);
    // close() forgets a write error once it has flushed, so look before.
    const bool written = part.flush() && part.error() == QFileDevice::NoError;
    part.close();
    if (!written || part.error() != QFileDevice::NoError) {
        const IoError error = cannotWrite(part);
        part.remove();
        throw error;
    }
    if (!fetched) {
        part.remove();
        return false;
    }
    // Replaces the emptied file in one step: it never holds a partial body.
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(part.fileName().toStdU16String()),
                            std::filesystem::path(localPath.toStdU16String()), failure);
    if (failure) {
        part.remove();
        throw IoError(
            QStringLiteral("Не удалось записать файл «%1»: %2")
                .arg(QDir::toNativeSeparators(localPath), QString::fromLocal8Bit(failure.message().c_str())));
    }
    return true;
}

} // namespace zeb
