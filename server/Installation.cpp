#include "server/Installation.h"

#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "server/MssqlInstallation.h"
#include "server/PgInstallation.h"
#include "server/RandomPassword.h"
#include "credentials/SettingsFile.h"
#include "credentials/SettingsLocation.h"
#include "server/SqliteInstallation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace zeb {

namespace {

const QString signinSuffix = QStringLiteral("_signin");
constexpr int defaultPgPort = 5432;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Role names are built from the database name and must fit a 20-byte field of the settings file; the name
// is spliced into DDL, so only plain identifiers are taken: lower-case where PostgreSQL folds names, any
// case on SQL Server, whose client statements name the database ZEB.
void checkDatabaseName(const QString& database, EngineKind engine)
{
    static const QRegularExpression lowerCase(QStringLiteral("^[a-z][a-z0-9_]*$"));
    static const QRegularExpression anyCase(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (engine == EngineKind::SqlServer ? !anyCase.match(database).hasMatch()
                                        : !lowerCase.match(database).hasMatch())
        throw Error(
            QStringLiteral("Имя базы данных «%1» недопустимо: допустимы %2латинские буквы, "
                           "цифры и «_», первой должна быть буква.")
                .arg(database, engine == EngineKind::SqlServer ? QString() : QStringLiteral("строчные ")));
    const qsizetype longest = SettingsFile::fieldSize - signinSuffix.size();
    if (database.size() > longest)
        throw Error(QStringLiteral("Имя базы данных «%1» слишком длинное: не более %2 символов, чтобы имя "
                                   "учётной записи «%1%3» уместилось в %4 байт файла настроек.")
                        .arg(database)
                        .arg(longest)
                        .arg(signinSuffix)
                        .arg(SettingsFile::fieldSize));
}

void checkServer(const InstallRequest& request)
{
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9._-]+$"));
    if (!hostName.match(request.host).hasMatch())
        throw Error(
            QStringLiteral("Имя сервера «%1» недопустимо: допустимы латинские буквы, цифры, «.», «-» и «_».")
                .arg(request.host));
    if (request.port < 1 || request.port > 65535)
        throw Error(QStringLiteral("Порт %1 недопустим: нужен номер от 1 до 65535.").arg(request.port));
}

// `host`, `host,port` or `host\instance`, as SQL Server's own tools write a server.
void checkSqlServer(const QString& server)
{
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z0-9._-]+(,([0-9]{1,5})|\\\\[A-Za-z0-9_$-]+)?$"));
    const QRegularExpressionMatch match = form.match(server);
    const int port = match.captured(2).toInt();
    if (!match.hasMatch() || (!match.captured(2).isEmpty() && (port < 1 || port > 65535)))
        throw Error(
            QStringLiteral("Сервер «%1» указан неверно: ожидается «сервер», «сервер,порт» (порт от 1 до "
                           "65535) или «сервер\\экземпляр»; в имени допустимы латинские буквы, цифры, "
                           "«.», «-» и «_».")
                .arg(server));
}

QString dataSourceOf(const InstallRequest& request)
{
    QString dataSource;
    switch (request.engine) {
    case EngineKind::Sqlite:
        dataSource = QStringLiteral("sqlite:") + request.database + QStringLiteral(".db");
        break;
    case EngineKind::Postgres:
        checkServer(request);
        dataSource = QStringLiteral("pg:") + request.host;
        if (request.port != defaultPgPort)
            dataSource += QLatin1Char(':') + QString::number(request.port);
        break;
    case EngineKind::SqlServer:
        checkSqlServer(request.host);
        dataSource = request.host;
        break;
    }
    if (cp1251::encode(dataSource).size() > SettingsFile::fieldSize)
        throw Error(QStringLiteral("Адрес базы данных «%1» длиннее %2 байт, допустимых в файле настроек; "
                                   "выберите более короткое имя.")
                        .arg(dataSource)
                        .arg(SettingsFile::fieldSize));
    return dataSource;
}

// Writes the settings last; when that fails the database just created is taken away again.
template <typename Target>
void createAndWrite(Target& target, const InstallRequest& request, const ServerAccount& work,
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

FirstConnectInfo Installation::install(const InstallRequest& request)
{
    if (request.directory.isEmpty())
        throw Error(QStringLiteral("Не указана папка установки."));
    checkDatabaseName(request.database, request.engine);
    FirstConnectInfo info;
    info.userId = signinRole(request.database);
    info.password = randomPassword();
    info.initialCatalog = request.database;
    info.dataSource = dataSourceOf(request);

    const QString settings = settingsPath(request.directory);
    if (QFileInfo::exists(settings))
        throw Error(QStringLiteral("В папке «%1» уже есть установка: файл настроек «%2» существует. "
                                   "Существующая установка не перезаписывается.")
                        .arg(shown(request.directory), shown(settings)));
    const QString data = dataDirectory(request.directory);
    // Folders made here are taken away again when the installation fails, unless something else is in them.
    QStringList newFolders;
    for (const QString& folder : {QDir(request.directory).absolutePath(), data}) {
        if (!QFileInfo::exists(folder))
            newFolders.prepend(folder);
    }
    // Data holds only the settings and the database, both readable by their owner alone.
    if (!QFileInfo::exists(data) &&
        !(QDir().mkpath(request.directory) &&
          QDir().mkdir(data, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)))
        throw IoError(QStringLiteral("Не удалось создать папку «%1».").arg(shown(data)));

    const ServerAccount work{workRole(request.database), randomPassword()};
    try {
        if (request.engine == EngineKind::Sqlite) {
            SqliteInstallation target(QDir(data).absoluteFilePath(request.database + QStringLiteral(".db")));
            createAndWrite(target, request, work, settings, info);
        } else if (request.engine == EngineKind::Postgres) {
            PgInstallation target(request, info.dataSource, ServerAccount{info.userId, info.password});
            createAndWrite(target, request, work, settings, info);
        } else {
            MssqlInstallation target(request, info.dataSource, ServerAccount{info.userId, info.password});
            createAndWrite(target, request, work, settings, info);
        }
    } catch (...) {
        for (const QString& folder : std::as_const(newFolders))
            QDir().rmdir(folder);
        throw;
    }
    return info;
}

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

} // namespace zeb
