#include "tools/WorkstationAccess.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {

namespace {

gid_t groupId()
{
    const struct group* entry = ::getgrnam(QFile::encodeName(WorkstationAccess::groupName()).constData());
    if (entry == nullptr)
        throw Error(QStringLiteral("Группы «%1» нет: её создаёт пакет zeb7 при установке, иначе создайте её "
                                   "командой «addgroup --system %1».")
                        .arg(WorkstationAccess::groupName()));
    return entry->gr_gid;
}

void give(const QString& path, gid_t group, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (::chown(name.constData(), 0, group) != 0 || ::chmod(name.constData(), mode) != 0)
        throw IoError(
            QStringLiteral("Не удалось передать «%1» группе «%2»: %3")
                .arg(QDir::toNativeSeparators(path), WorkstationAccess::groupName(), qt_error_string(errno)));
}

} // namespace

QString WorkstationAccess::groupName()
{
    return workstationGroup();
}

void WorkstationAccess::check()
{
    if (::geteuid() != 0)
        throw Error(QStringLiteral("Настройки рабочего места (%1) записывает только root: запустите команду "
                                   "через sudo.")
                        .arg(QDir::toNativeSeparators(SettingsLocation::workstation().settingsFile)));
    groupId();
}

void WorkstationAccess::grant(const SettingsLocation& location)
{
    const gid_t group = groupId();
    give(QFileInfo(location.settingsFile).absolutePath(), group, 0750);
    give(location.settingsFile, group, 0640);
    give(location.dataDirectory, group, 02770);
    const QDir data(location.dataDirectory);
    for (const QString& name : data.entryList(QDir::Files | QDir::Hidden))
        give(data.filePath(name), group, 0660);
}

} // namespace zeb
