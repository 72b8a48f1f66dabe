#pragma once

#include "credentials/SettingsLocation.h"

namespace zeb {

// The workstation's installation (init --system) belongs to root, readable by root and the group zeb7 that
// the package makes: the settings /etc/zeb7/ZEB mode 0640 in a folder 0750, the embedded database's folder
// /var/lib/zeb7 mode 2770 (files made in it keep the group) and its files 0660.
class WorkstationAccess
{
public:
    WorkstationAccess() = delete;

    static QString groupName();
    // Raises Error unless run as root and the group exists, before anything is created.
    static void check();
    // Gives the settings, the data folder and the files in it their owner, group and mode. Raises IoError.
    static void grant(const SettingsLocation& location);
};

} // namespace zeb
