#include "signin/update/DownloadFile.h"

#include "platform/Error.h"
#include "platform/seam/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace zeb {

namespace {

IoError cannotWrite(const QString& path, const QString& reason)
{
    return IoError(
        QStringLiteral("Не удалось записать файл «%1»: %2").arg(QDir::toNativeSeparators(path), reason));
}

// Below this much free space a refused write is taken for a full disk.
constexpr qint64 nearlyFull = 1024 * 1024;

// A refused write names the disk, and says so when it is full, with the space left on it.
IoError refusedWrite(const QString& path, const QString& reason)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QStorageInfo disk(folder);
    const QString diskName = QDir::toNativeSeparators(disk.isValid() ? disk.rootPath() : folder);
    if (disk.isValid() && disk.bytesAvailable() < nearlyFull)
        return IoError(QStringLiteral("Не удалось записать файл «%1»: на диске «%2» не хватает места "
                                      "(свободно %3 КБ).\rОсвободите место на этом диске или обратитесь к "
                                      "администратору.")
                           .arg(QDir::toNativeSeparators(path), diskName)
                           .arg(disk.bytesAvailable() / 1024));
    return IoError(QStringLiteral("Не удалось записать файл «%1» на диск «%2»: %3")
                       .arg(QDir::toNativeSeparators(path), diskName,
                            reason.isEmpty() ? QStringLiteral("запись не удалась") : reason));
}

} // namespace

bool downloadFile(const QString& url, const QString& localPath, qint64 maxBytes)
{
    // Whatever an earlier attempt left there is no download of this one.
    QFile::remove(localPath);

    QFile part(localPath + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotWrite(part.fileName(), part.errorString());
    const DownloadResult result = Platform::instance().download(QUrl(url), part, maxBytes);
    // close() forgets a write error once it has flushed, so look before.
    const bool written =
        result != DownloadResult::WriteFailed && part.flush() && part.error() == QFileDevice::NoError;
    const QString writeError = part.error() == QFileDevice::NoError ? QString() : part.errorString();
    part.close();
    if (!written || part.error() != QFileDevice::NoError) {
        part.remove();
        throw refusedWrite(localPath, writeError);
    }
    if (result != DownloadResult::Complete) {
        part.remove();
        return false;
    }
    // Takes the final name in one step: it never holds a partial body.
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(part.fileName().toStdU16String()),
                            std::filesystem::path(localPath.toStdU16String()), failure);
    if (failure) {
        part.remove();
        throw cannotWrite(localPath, QString::fromLocal8Bit(failure.message().c_str()));
    }
    return true;
}

} // namespace zeb
