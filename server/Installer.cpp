#include "server/Installer.h"

#include "credentials/SettingsFile.h"
#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "server/AdministrationFactory.h"
#include "server/EngineAdministration.h"
#include "server/InstallTarget.h"
#include "server/Installation.h"
#include "server/RandomPassword.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace zeb {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString dataSourceOf(const EngineAdministration& administration, const InstallRequest& request)
{
    const QString dataSource = administration.dataSource(request);
    if (cp1251::encode(dataSource).size() > SettingsFile::fieldSize)
        throw Error(QStringLiteral("Адрес базы данных «%1» длиннее %2 байт, допустимых в файле настроек; "
                                   "выберите более короткое имя.")
                        .arg(dataSource)
                        .arg(SettingsFile::fieldSize));
    return dataSource;
}

// The folders made here, to be taken away again when the installation fails, unless something else is in
// them. Data holds only the settings and the database, both readable by their owner alone.
QStringList makeFolders(const QString& directory, const QString& data)
{
    QStringList newFolders;
    for (const QString& folder : {QDir(directory).absolutePath(), data}) {
        if (!QFileInfo::exists(folder))
            newFolders.prepend(folder);
    }
    if (!QFileInfo::exists(data) &&
        !(QDir().mkpath(directory) &&
          QDir().mkdir(data, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)))
        throw IoError(QStringLiteral("Не удалось создать папку «%1».").arg(shown(data)));
    return newFolders;
}

// Writes the settings last; when that fails the database just created is taken away again.
void createAndWrite(InstallTarget& target, const InstallRequest& request, const ServerAccount& work,
                    const QString& settingsPath, const FirstConnectInfo& info)
{
    target.create(work, request.demo);
    try {
        SettingsFile::write(settingsPath, info);
    } catch (...) {
        target.undo();
        throw;
    }
}

} // namespace

FirstConnectInfo Installer::install(const InstallRequest& request)
{
    if (request.directory.isEmpty())
        throw Error(QStringLiteral("Не указана папка установки."));
    const EngineAdministration& administration = administrationOf(request.engine);
    Installation::checkDatabaseName(request.database, administration.keepsNameCase());
    FirstConnectInfo info;
    info.userId = Installation::signinRole(request.database);
    info.password = randomPassword();
    info.initialCatalog = request.database;
    info.dataSource = dataSourceOf(administration, request);

    const QString settings = Installation::settingsPath(request.directory);
    if (QFileInfo::exists(settings))
        throw Error(QStringLiteral("В папке «%1» уже есть установка: файл настроек «%2» существует. "
                                   "Существующая установка не перезаписывается.")
                        .arg(shown(request.directory), shown(settings)));
    const QString data = Installation::dataDirectory(request.directory);
    const QStringList newFolders = makeFolders(request.directory, data);

    const ServerAccount work{Installation::workRole(request.database), randomPassword()};
    try {
        const std::unique_ptr<InstallTarget> target = administration.target(request, info, data);
        createAndWrite(*target, request, work, settings, info);
    } catch (...) {
        for (const QString& folder : newFolders)
            QDir().rmdir(folder);
        throw;
    }
    return info;
}

} // namespace zeb
