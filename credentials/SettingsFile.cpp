#include "credentials/SettingsFile.h"

#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "credentials/Scrambling.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zeb {

namespace {

// Where each value and its length byte lie.
struct FieldLayout
{
    qsizetype offset;
    qsizetype lengthOffset;
    const char* title;
};

constexpr FieldLayout userIdField{0, 40, "Имя пользователя"};
constexpr FieldLayout passwordField{20, 41, "Пароль"};
constexpr FieldLayout dataSourceField{42, 82, "Сервер базы данных"};
constexpr FieldLayout initialCatalogField{62, 83, "База данных"};

QString decodeField(const QByteArray& bytes, const FieldLayout& field)
{
    const qsizetype length =
        qMin(static_cast<qsizetype>(static_cast<unsigned char>(bytes.at(field.lengthOffset))),
             SettingsFile::fieldSize);
    return cp1251::decode(unscramble(bytes.mid(field.offset, length)));
}

void encodeField(QByteArray& bytes, const FieldLayout& field, const QString& value)
{
    const QByteArray plain = cp1251::encode(value);
    if (cp1251::decode(plain) != value)
        throw Error(
            QStringLiteral("Поле «%1» настроек соединения содержит символы вне кодировки Windows-1251.")
                .arg(QString::fromUtf8(field.title)));
    if (plain.size() > SettingsFile::fieldSize)
        throw Error(QStringLiteral("Поле «%1» настроек соединения длиннее %2 байт.")
                        .arg(QString::fromUtf8(field.title))
                        .arg(SettingsFile::fieldSize));
    const QByteArray padded = plain + QByteArray(SettingsFile::fieldSize - plain.size(), '\0');
    bytes.replace(field.offset, SettingsFile::fieldSize, scramble(padded));
    bytes[field.lengthOffset] = static_cast<char>(plain.size());
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

IoError notRegular(const QString& path)
{
    return IoError(QStringLiteral("«%1» не является обычным файлом (это папка, канал или устройство): файл "
                                  "настроек соединения не прочитан.")
                       .arg(shown(path)));
}

// Opens the file for reading only when it is a regular file. A FIFO in its place would block a plain
// open until somebody writes to it, and a device would never end; neither is waited for.
void openRegular(QFile& file, const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw IoError(QStringLiteral("Не удалось открыть файл настроек соединения «%1»: %2")
                          .arg(shown(path), qt_error_string(errno)));
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw notRegular(path);
    }
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    if (!QFileInfo(path).isFile())
        throw notRegular(path);
    file.setFileName(path);
    file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

QString SettingsFile::defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Data/ZEB");
}

FirstConnectInfo SettingsFile::read(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw IoError(QStringLiteral("Файл настроек соединения «%1» не найден.").arg(shown(path)));
    QFile file;
    openRegular(file, path);
    if (!file.isOpen())
        throw IoError(QStringLiteral("Не удалось открыть файл настроек соединения «%1»: %2")
                          .arg(shown(path), file.errorString()));
    const QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Не удалось прочитать файл настроек соединения «%1»: %2")
                          .arg(shown(path), file.errorString()));
    if (bytes.size() < size)
        throw IoError(QStringLiteral("Файл настроек соединения «%1» повреждён: он короче %2 байт.")
                          .arg(shown(path))
                          .arg(size));
    return decode(bytes);
}

FirstConnectInfo SettingsFile::decode(const QByteArray& bytes)
{
    if (bytes.size() < size)
        throw Error(QStringLiteral("Настройки соединения повреждены: они короче %1 байт.").arg(size));
    FirstConnectInfo info;
    info.userId = decodeField(bytes, userIdField);
    info.password = decodeField(bytes, passwordField);
    info.initialCatalog = decodeField(bytes, initialCatalogField);
    info.dataSource = decodeField(bytes, dataSourceField);
    return info;
}

QByteArray SettingsFile::encode(const FirstConnectInfo& info)
{
    QByteArray bytes(size, '\0');
    encodeField(bytes, userIdField, info.userId);
    encodeField(bytes, passwordField, info.password);
    encodeField(bytes, initialCatalogField, info.initialCatalog);
    encodeField(bytes, dataSourceField, info.dataSource);
    return bytes;
}

void SettingsFile::write(const QString& path, const FirstConnectInfo& info)
{
    const QByteArray bytes = encode(info);
    const QString folder = QFileInfo(path).absolutePath();
    // A folder made here holds only the settings and the database, which nobody else needs to see.
    if (!QFileInfo::exists(folder) &&
        !(QDir().mkpath(QFileInfo(folder).absolutePath()) &&
          QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)))
        throw IoError(QStringLiteral("Не удалось создать папку «%1».").arg(shown(folder)));
    QSaveFile file(path);
    // The sign-in account's password is in the file: readable by its owner alone, an older file included.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("Не удалось записать файл настроек соединения «%1»: %2")
                          .arg(shown(path), file.errorString()));
}

} // namespace zeb
