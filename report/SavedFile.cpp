#include "report/SavedFile.h"

#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace zeb {

namespace {

IoError cannotWrite(const QString& path, const QString& reason)
{
    return IoError(
        QStringLiteral("Не удалось записать файл «%1»: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

void saveFile(const QString& path, const std::function<void(QIODevice&)>& write)
{
    const QFileInfo target(path);
    // QTemporaryFile creates its file exclusively, with the owner's rights only.
    QTemporaryFile file(
        QDir(target.absolutePath()).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!file.open())
        throw cannotWrite(path, file.errorString());
    write(file);
    // close() forgets a write error once it has flushed, so look before.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        throw cannotWrite(path, file.errorString());
    file.close();

    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(file.fileName().toStdU16String()),
                            std::filesystem::path(target.absoluteFilePath().toStdU16String()), failure);
    if (failure)
        throw cannotWrite(path, QString::fromLocal8Bit(failure.message().c_str()));
    file.setAutoRemove(false);
}

} // namespace zeb
