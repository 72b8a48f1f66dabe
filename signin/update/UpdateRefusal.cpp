#include "signin/update/UpdateRefusal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

#ifndef ZEB_PACKAGE_BINDIR
#error "the build names the package's bindir"
#endif

namespace zeb {

namespace {

QString canonicalFolder(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

#ifdef Q_OS_UNIX
bool inGroup(gid_t group)
{
    if (::getegid() == group)
        return true;
    std::vector<gid_t> groups(static_cast<size_t>(qMax(::getgroups(0, nullptr), 0)));
    if (groups.empty())
        return false;
    const int listed = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<size_t>(qMax(listed, 0)));
    return std::find(groups.cbegin(), groups.cend(), group) != groups.cend();
}

// The bits that apply to this user, and access() for what they do not show (a read-only mount, ACLs).
bool writable(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat status
    {
    };
    if (::stat(name.constData(), &status) != 0 || ::access(name.constData(), W_OK) != 0)
        return false;
    if (status.st_uid == ::geteuid())
        return (status.st_mode & S_IWUSR) != 0;
    if (inGroup(status.st_gid))
        return (status.st_mode & S_IWGRP) != 0;
    return (status.st_mode & S_IWOTH) != 0;
}
#else
bool writable(const QString& folder)
{
    return QFileInfo(folder).isWritable();
}
#endif

} // namespace

QString packageProgramFolder()
{
    return QStringLiteral(ZEB_PACKAGE_BINDIR);
}

UpdateRefusal updateRefusal(const UpdateSite& site)
{
    if (canonicalFolder(QFileInfo(site.executable).absolutePath()) == canonicalFolder(packageProgramFolder()))
        return UpdateRefusal::PackageInstalled;
    if (!writable(site.home))
        return UpdateRefusal::FolderReadOnly;
    return UpdateRefusal::None;
}

QString updateRefusalNotice(UpdateRefusal refusal, qint64 publishedBuild, const QString& home)
{
    const QString published = publishedBuild > 0
                                  ? QStringLiteral("Опубликована сборка %1 программы.").arg(publishedBuild)
                                  : QStringLiteral("Опубликована новая сборка программы.");
    const QString who =
        refusal == UpdateRefusal::PackageInstalled
            ? QStringLiteral("Программа установлена пакетом, и обновляет её администратор: сообщите ему о "
                             "новой сборке.")
            : QStringLiteral("Папка программы «%1» закрыта для записи, поэтому программа не может обновиться "
                             "сама: её обновляет администратор, сообщите ему о новой сборке.")
                  .arg(QDir::toNativeSeparators(home));
    return published + QLatin1Char('\r') + who + QStringLiteral("\rРабота продолжается в текущей версии.");
}

} // namespace zeb
