#include "report/SavedFile.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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

// Gives the whole file `from` the name `path`, replacing a file or a link found there.
void rename(const QString& from, const QString& path)
{
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(QFileInfo(path).absoluteFilePath().toStdU16String()),
                            failure);
    if (failure)
        throw cannotWrite(path, QString::fromLocal8Bit(failure.message().c_str()));
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

    rename(file.fileName(), path);
    file.setAutoRemove(false);
}

void saveFileByName(const QString& path, const std::function<void(const QString& file)>& write)
{
    const QFileInfo target(path);
    // QTemporaryDir makes its folder afresh, entered by the owner only: no one else can put a name in it.
    QTemporaryDir folder(
        QDir(target.absolutePath()).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!folder.isValid())
        throw cannotWrite(path, folder.errorString());
    const QString file = folder.filePath(target.fileName());
    write(file);
    // The writer made its file with the usual rights; the report is its owner's, as saveFile makes it.
    if (!QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw cannotWrite(path, QStringLiteral("нет записанного файла"));
    rename(file, path);
}

} // namespace zeb
