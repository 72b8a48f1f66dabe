#include "AdminEngine.h"

#include "Error.h"
#include "Installation.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace zeb {

std::unique_ptr<Engine> openAdminEngine(const QString& installationDirectory, const ServerAccount& admin)
{
    const TFirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    ConnectionParams params{admin.user, admin.password, settings.initialCatalog, settings.dataSource};
    const QString dataDirectory = Installation::dataDirectory(installationDirectory);
    switch (params.engineKind()) {
    case EngineKind::Sqlite: {
        // The engine would refuse a missing file too; this names the file the settings point to.
        const QString prefix = QStringLiteral("sqlite:");
        const QString file = QDir(dataDirectory).absoluteFilePath(settings.dataSource.mid(prefix.size()));
        if (!QFileInfo(file).isFile())
            throw Error(
                QStringLiteral("Файл базы данных «%1» не найден.").arg(QDir::toNativeSeparators(file)));
        params.userId.clear();
        params.password.clear();
        break;
    }
    case EngineKind::Postgres:
        break;
    case EngineKind::SqlServer:
        throw Error(
            QStringLiteral("Сервер «%1» не поддерживается инструментом: ожидается «sqlite:» или «pg:».")
                .arg(settings.dataSource));
    }
    std::unique_ptr<Engine> engine = Engine::create(params, dataDirectory);
    engine->open();
    return engine;
}

} // namespace zeb
