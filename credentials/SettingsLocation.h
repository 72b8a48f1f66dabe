#pragma once

#include <QString>

namespace zeb {

// Where a settings file lies and the folder in which its embedded database file is found.
struct SettingsLocation
{
    QString settingsFile;
    QString dataDirectory;

    // An installation kept in one folder: DIR/Data/ZEB with the embedded database beside it.
    static SettingsLocation ofFolder(const QString& directory);
    // The workstation's: /etc/zeb7/ZEB, an embedded database in /var/lib/zeb7.
    static SettingsLocation workstation();
    // What the administration tool means by DIR: the workstation's for its settings folder /etc/zeb7,
    // otherwise the folder's.
    static SettingsLocation ofInstallation(const QString& directory);

    // The client's: beside the executable in home when there is a settings file, else the workstation's.
    // Raises IoError naming both places and the command that writes a settings file when neither has one,
    // or naming the group when the workstation's folder is closed to this user.
    static SettingsLocation ofProgram(const QString& home,
                                      const SettingsLocation& workstation = SettingsLocation::workstation());
};

// The workstation's settings folder, /etc/zeb7.
QString workstationSettingsFolder();
// The group whose members may read the workstation's settings and use its embedded database.
QString workstationGroup();

} // namespace zeb
