#include "server/Installation.h"

#include "credentials/SettingsFile.h"
#include "credentials/SettingsLocation.h"
#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "server/MssqlInstallation.h"
#include "server/PgInstallation.h"
#include "server/RandomPassword.h"
#include "server/SqliteInstallation.h"

#include <QDir>
#include <QRegularExpression>

namespace zeb {

namespace {

const QString signinSuffix = QStringLiteral("_signin");

} // namespace

QString Installation::settingsPath(const QString& directory)
{
    return SettingsLocation::ofInstallation(directory).settingsFile;
}

QString Installation::dataDirectory(const QString& directory)
{
    return SettingsLocation::ofInstallation(directory).dataDirectory;
}

QString Installation::signinRole(const QString& database)
{
    return database + signinSuffix;
}

QString Installation::workRole(const QString& database)
{
    return database + QStringLiteral("_work");
}

// Role names are built from the database name and must fit a 20-byte field of the settings file; the name
// is spliced into DDL, so only plain identifiers are taken: lower-case where the engine folds names (or
// names a file by it), any case where it keeps them.
void Installation::checkDatabaseName(const QString& database, bool keepsCase)
{
    static const QRegularExpression lowerCase(QStringLiteral("^[a-z][a-z0-9_]*$"));
    static const QRegularExpression anyCase(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (!(keepsCase ? anyCase : lowerCase).match(database).hasMatch())
        throw Error(QStringLiteral("Имя базы данных «%1» недопустимо: допустимы %2латинские буквы, "
                                   "цифры и «_», первой должна быть буква.")
                        .arg(database, keepsCase ? QString() : QStringLiteral("строчные ")));
    const qsizetype longest = SettingsFile::fieldSize - signinSuffix.size();
    if (database.size() > longest)
        throw Error(QStringLiteral("Имя базы данных «%1» слишком длинное: не более %2 символов, чтобы имя "
                                   "учётной записи «%1%3» уместилось в %4 байт файла настроек.")
                        .arg(database)
                        .arg(longest)
                        .arg(signinSuffix)
                        .arg(SettingsFile::fieldSize));
}

} // namespace zeb
