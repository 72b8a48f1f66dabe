#include "credentials/SettingsLocation.h"

#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>

#if !defined(ZEB_SYSTEM_SETTINGS_DIR) || !defined(ZEB_SYSTEM_DATA_DIR)
#error "the build names the workstation's settings and data folders"
#endif

namespace zeb {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString workstationSettingsFolder()
{
    return QStringLiteral(ZEB_SYSTEM_SETTINGS_DIR);
}

QString workstationGroup()
{
    return QStringLiteral("zeb7");
}

SettingsLocation SettingsLocation::ofFolder(const QString& directory)
{
    const QString data = QDir::cleanPath(QDir(directory).absoluteFilePath(QStringLiteral("Data")));
    return {data + QStringLiteral("/ZEB"), data};
}

SettingsLocation SettingsLocation::workstation()
{
    return {workstationSettingsFolder() + QStringLiteral("/ZEB"), QStringLiteral(ZEB_SYSTEM_DATA_DIR)};
}

SettingsLocation SettingsLocation::ofInstallation(const QString& directory)
{
    if (QDir::cleanPath(QDir(directory).absolutePath()) == workstationSettingsFolder())
        return workstation();
    return ofFolder(directory);
}

SettingsLocation SettingsLocation::ofProgram(const QString& home, const SettingsLocation& workstation)
{
    // A settings file beside the executable wins: a self-updating installation keeps everything there.
    const SettingsLocation beside = ofFolder(home);
    if (QFileInfo::exists(beside.settingsFile))
        return beside;
    if (QFileInfo::exists(workstation.settingsFile))
        return workstation;
    // The folder is there but closed to this user: telling of a missing file would send the administrator
    // looking for the wrong fault.
    const QFileInfo folder(QFileInfo(workstation.settingsFile).absolutePath());
    if (folder.exists() && !folder.isExecutable())
        throw IoError(
            QStringLiteral("Настройки рабочего места «%1» вам недоступны: программу запускают члены "
                           "группы %2.\rПопросите администратора добавить вас в неё (adduser "
                           "ПОЛЬЗОВАТЕЛЬ %2) и войдите в систему заново.")
                .arg(shown(workstation.settingsFile), workstationGroup()));
    throw IoError(QStringLiteral("Файл настроек соединения не найден ни рядом с программой («%1»), ни в "
                                 "настройках рабочего места («%2»).\rАдминистратор создаёт его командой "
                                 "«zeb7-admin init --system» (настройки рабочего места) или "
                                 "«zeb7-admin init ПАПКА» (установка в папке программы).")
                      .arg(shown(beside.settingsFile), shown(workstation.settingsFile)));
}

} // namespace zeb
