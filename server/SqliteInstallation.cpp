#include "server/SqliteInstallation.h"

#include "data/sqlite/SqliteEngine.h"
#include "platform/Error.h"
#include "server/BaseData.h"
#include "server/DemoData.h"
#include "server/ServerScript.h"

#include <QDir>
#include <QFile>

namespace zeb {

SqliteInstallation::SqliteInstallation(QString filePath) : m_filePath(std::move(filePath)) {}

void SqliteInstallation::create(const ServerAccount&, bool demo)
{
    // Creating the empty file first refuses an existing one without a window for a race. The file holds
    // the password digests; the engine gives its journal files the file's own mode.
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        if (file.exists())
            throw Error(
                QStringLiteral("Файл базы данных «%1» уже существует; установка не перезаписывает данные.")
                    .arg(QDir::toNativeSeparators(m_filePath)));
        throw IoError(QStringLiteral("Не удалось создать файл базы данных «%1»: %2")
                          .arg(QDir::toNativeSeparators(m_filePath), file.errorString()));
    }
    file.close();
    m_created = true;

    try {
        SqliteEngine engine(m_filePath, SqliteRole::Administrator);
        engine.open();
        engine.runScript(serverScript(ServerScript::SqliteSchema));
        engine.runScript(serverScript(ServerScript::SqliteHistory));
        BaseData::fill(engine);
        if (demo)
            DemoData::fill(engine);
        engine.close();
    } catch (...) {
        undo();
        throw;
    }
}

void SqliteInstallation::undo()
{
    if (!m_created)
        return;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(m_filePath + QString::fromLatin1(suffix));
    m_created = false;
}

} // namespace zeb
