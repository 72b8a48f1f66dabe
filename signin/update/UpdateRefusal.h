#pragma once

#include "signin/update/UpdateSite.h"

#include <QString>

namespace zeb {

// Why an installation does not replace its own executable.
enum class UpdateRefusal
{
    None,
    // The executable lies where the Debian package puts it: the package manager owns it.
    PackageInstalled,
    // The user may not write the program's folder.
    FolderReadOnly,
};

// The package's bindir, /usr/bin.
QString packageProgramFolder();

// PackageInstalled when the executable's folder is the package's bindir, FolderReadOnly when home's
// permissions do not let this user write it. The permission bits count for root too: a folder its owner
// made read-only is not written into by a program that happens to run as root.
UpdateRefusal updateRefusal(const UpdateSite& site);

// The notice shown instead of an update: the published build (0 when the server does not tell it), that the
// administrator updates the installation, and that work goes on.
QString updateRefusalNotice(UpdateRefusal refusal, qint64 publishedBuild, const QString& home);

} // namespace zeb
