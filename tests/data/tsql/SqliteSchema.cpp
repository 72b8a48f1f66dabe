#include "tests/data/tsql/SqliteSchema.h"

#include <sqlite3.h>

SqliteSchema::SqliteSchema()
{
    sqlite3_open(":memory:", &m_db);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    exec("CREATE TABLE Vakansii(id_vakansiya INTEGER PRIMARY KEY, id_otdel_1 INT, id_otdel_11 INT,"
         " id_faculty INT, id_kafedra INT, id_post INT NOT NULL, q_units REAL, razrad NUMERIC, Num INT,"
         " id_otdel_2 INT, id_enter INT, e_n_p TEXT, e_d_p TEXT, id_deduce INT DEFAULT 1, d_n_p TEXT,"
         " d_d_p TEXT, id_structure INT, id_bk INT, ZEB_User TEXT, ZEB_Update TEXT, hourFond REAL, descr "
         "TEXT);"
         "CREATE TABLE Otdel_1(id_otdel_1 INTEGER PRIMARY KEY, otdel_1 TEXT);"
         "CREATE TABLE Faculty(id_faculty INTEGER PRIMARY KEY, \"p23-1\" TEXT, \"p23-2\" TEXT, id_vuz INT);"
         "CREATE TABLE vuz(id_vuz INT, v2 TEXT);"
         "CREATE TABLE Kafedra(id_kafedra INTEGER PRIMARY KEY, f1 TEXT);"
         "CREATE TABLE post(id_post INTEGER PRIMARY KEY, post TEXT);"
         "CREATE TABLE Enter(id_enter INT, enter TEXT);"
         "CREATE TABLE Deduce(id_deduce INT, deduce TEXT);"
         "CREATE TABLE Working(id_working INTEGER PRIMARY KEY, id_vakansiya INT, id_leave INT);"
         "CREATE TABLE Stavka(id_stavka INTEGER PRIMARY KEY, stavka REAL);"
         "CREATE TABLE teacher(id_teacher INTEGER PRIMARY KEY, fam TEXT);"
         "CREATE TABLE t_fio(id_t_fio INTEGER PRIMARY KEY, fio TEXT);"
         "CREATE TABLE ZEB_LOG(id_zeb_log INTEGER PRIMARY KEY, \"table\" TEXT, row_id INT, descr TEXT,"
         " ZEB_User TEXT, comp TEXT);"
         "CREATE TABLE VuzDefaults(id_vuz_defaults INT, n_field TEXT);");
}

SqliteSchema::~SqliteSchema()
{
    sqlite3_close(m_db);
}

QString SqliteSchema::exec(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) == SQLITE_OK)
        return {};
    const QString message = QString::fromUtf8(error);
    sqlite3_free(error);
    return message;
}

QString SqliteSchema::run(const QString& sql, int* rows)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &statement, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(m_db));
    int count = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        ++count;
    QString message;
    if (step != SQLITE_DONE)
        message = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_finalize(statement);
    if (rows)
        *rows = count;
    return message;
}
