#include "data/sqlite/SqliteAuthorizer.h"

#include <cstring>
#include <sqlite3.h>

namespace zeb {

namespace {

// Users with their password digests, the published builds and the workstations' builds.
constexpr const char* signInTables[] = {"zeb_users", "zeb_program", "zeb_workstations"};

// The installation's triggers that complete and stamp a row of the audit log.
constexpr const char* engineTriggers[] = {"zeb_log_completion", "zeb_log_stamp"};

// The installation's triggers that write the schedule lines' history.
constexpr const char* historyTriggers[] = {"vakansii_history_insert", "vakansii_history_update",
                                           "vakansii_history_delete"};

// Functions that reach past the schedule: the tokenizer pointers of full-text search, extensions, files,
// the raw pages and the internals of R-trees and full-text tables.
constexpr const char* internalFunctions[] = {
    "fts3_tokenizer", "fts5",      "load_extension", "readfile",   "writefile",     "edit",
    "sqlite_offset",  "rtreenode", "rtreedepth",     "rtreecheck", "sqlite_dbdata",
};

// Tables the engine provides that show its pages, its prepared statements or its settings.
constexpr const char* internalTables[] = {"dbstat", "sqlite_dbpage", "sqlite_stmt", "sqlite_dbdata",
                                          "sqlite_dbptr"};

const QString schemaRefusal = QStringLiteral(
    "Нет доступа: создавать, изменять и удалять таблицы, представления, индексы и триггеры базы данных "
    "может только администратор.");
const QString attachRefusal =
    QStringLiteral("Нет доступа: подключать к соединению другие файлы баз данных программе не разрешено.");
const QString pragmaRefusal = QStringLiteral("Нет доступа: команды PRAGMA программе не разрешены.");
const QString counterRefusal =
    QStringLiteral("Нет доступа к таблице «sqlite_sequence»: ключи новых строк назначает база данных.");
const QString requisitesRefusal =
    QStringLiteral("Нет доступа: строка реквизитов формы (Rekvizity) одна на установку, её можно только "
                   "изменять.");
const QString logRefusal =
    QStringLiteral("Нет доступа: строки журнала ZEB_LOG не изменяются и не удаляются, их можно только "
                   "добавлять.");
const QString historyRefusal =
    QStringLiteral("Нет доступа: историю изменений строк штатного расписания (Vakansii_history) записывает "
                   "только база данных, её можно только читать.");

template <std::size_t N> bool isOneOf(const char* name, const char* const (&names)[N])
{
    if (!name)
        return false;
    for (const char* candidate : names) {
        if (sqlite3_stricmp(name, candidate) == 0)
            return true;
    }
    return false;
}

bool isInternalTable(const char* name)
{
    return name && (isOneOf(name, internalTables) || sqlite3_strnicmp(name, "pragma_", 7) == 0);
}

bool changesSchema(int action)
{
    switch (action) {
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_INDEX:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_VTABLE:
    case SQLITE_ALTER_TABLE:
    case SQLITE_REINDEX:
    case SQLITE_ANALYZE:
        return true;
    default:
        return false;
    }
}

bool writes(int action)
{
    return action == SQLITE_INSERT || action == SQLITE_UPDATE || action == SQLITE_DELETE;
}

} // namespace

void SqliteAuthorizer::install(sqlite3* db)
{
    sqlite3_set_authorizer(db, &SqliteAuthorizer::decide, this);
}

bool SqliteAuthorizer::isSignInTable(const char* name)
{
    return isOneOf(name, signInTables);
}

bool SqliteAuthorizer::isEngineTrigger(const char* name)
{
    return isOneOf(name, engineTriggers);
}

int SqliteAuthorizer::refuse(const QString& message)
{
    m_refusal = message;
    return SQLITE_DENY;
}

int SqliteAuthorizer::decide(void* self, int action, const char* first, const char* second,
                             const char* database, const char* inner)
{
    return static_cast<SqliteAuthorizer*>(self)->decide(action, first, second, database, inner);
}

// The first and second arguments name the table whatever the action: a table read or written, an index
// or trigger created on it, a table altered, created or dropped, a pragma's argument. The last names the
// trigger or view whose code is being prepared.
int SqliteAuthorizer::decide(int action, const char* first, const char* second, const char* database,
                             const char* inner)
{
    const char* table = isSignInTable(first) ? first : isSignInTable(second) ? second : nullptr;
    if (table) {
        if (m_trusted && !inner && database && std::strcmp(database, "main") == 0)
            return SQLITE_OK;
        return refuse(QStringLiteral("Нет доступа к таблице «%1»: таблицы входа в программу читает и "
                                     "изменяет только администратор.")
                          .arg(QString::fromUtf8(table)));
    }
    if (changesSchema(action))
        return refuse(schemaRefusal);
    switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return refuse(attachRefusal);
    case SQLITE_PRAGMA:
        // The engine's own check whether another connection has written the file.
        if (m_trusted && sqlite3_stricmp(first, "data_version") == 0 && !second)
            return SQLITE_OK;
        return refuse(pragmaRefusal);
    case SQLITE_FUNCTION:
        if (isOneOf(second, internalFunctions))
            return refuse(QStringLiteral("Нет доступа к функции «%1»: она открывает внутреннее устройство "
                                         "базы данных.")
                              .arg(QString::fromUtf8(second)));
        return SQLITE_OK;
    default:
        break;
    }
    if (isInternalTable(first))
        return refuse(QStringLiteral("Нет доступа к таблице «%1»: она открывает внутреннее устройство "
                                     "базы данных.")
                          .arg(QString::fromUtf8(first)));
    if (writes(action) && sqlite3_stricmp(first, "sqlite_sequence") == 0)
        return refuse(counterRefusal);
    if ((action == SQLITE_UPDATE || action == SQLITE_DELETE) && sqlite3_stricmp(first, "ZEB_LOG") == 0 &&
        !(action == SQLITE_UPDATE && isEngineTrigger(inner)))
        return refuse(logRefusal);
    if ((action == SQLITE_INSERT || action == SQLITE_DELETE) && sqlite3_stricmp(first, "Rekvizity") == 0)
        return refuse(requisitesRefusal);
    if (writes(action) && sqlite3_stricmp(first, "Vakansii_history") == 0 &&
        !(action == SQLITE_INSERT && isOneOf(inner, historyTriggers)))
        return refuse(historyRefusal);
    return SQLITE_OK;
}

} // namespace zeb
