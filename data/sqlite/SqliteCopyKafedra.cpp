#include "data/DatabaseError.h"
#include "data/sqlite/SqliteEngine.h"
#include "data/sqlite/SqliteProcedures.h"

#include <QDateTime>

namespace zeb::sqliteprocedures {

namespace {

// Every column of a line except its key, its department and the audit stamp.
const QString CopiedColumns = QStringLiteral(
    "id_otdel_1, id_otdel_11, id_faculty, id_post, q_units, razrad, Num, id_otdel_2, id_enter, e_n_p, e_d_p, "
    "id_deduce, d_n_p, d_d_p, id_structure, id_bk, hourFond, descr");

// Department ids arrive as literals; text holding a number converts as SQL Server would.
qint64 departmentId(const QVariant& value)
{
    if (value.isNull())
        throw DatabaseError(QStringLiteral("Кафедра с кодом NULL не найдена."));
    bool ok = false;
    const qint64 id = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
        throw DatabaseError(
            QStringLiteral("Ошибка преобразования значения '%1' в целое число.").arg(value.toString()));
    return id;
}

qint64 requireDepartment(SqliteEngine& engine, const QVariant& value)
{
    const qint64 id = departmentId(value);
    const StatementResult result =
        engine.run(QStringLiteral("SELECT 1 FROM Kafedra WHERE id_kafedra = ?"), {id});
    if (!result.rows->next())
        throw DatabaseError(QStringLiteral("Кафедра с кодом %1 не найдена.").arg(id));
    return id;
}

} // namespace

StatementResult copyKafedraOnKafedra(SqliteEngine& engine, const QList<ProcedureArgument>& arguments)
{
    static const QStringList parameters = {QStringLiteral("id_kafedraFrom"), QStringLiteral("id_kafedraTo"),
                                           QStringLiteral("zeb_user"), QStringLiteral("ip")};
    const QVariantList values = orderArguments(QStringLiteral("CopyKafedraOnKafedra"), parameters, arguments);
    const qint64 from = requireDepartment(engine, values.at(0));
    const qint64 to = requireDepartment(engine, values.at(1));
    const QString login = values.at(2).isNull() ? QString() : values.at(2).toString();
    const QString ip = values.at(3).isNull() ? QString() : values.at(3).toString();
    const QDateTime now = QDateTime::currentDateTime();

    const qint64 copied =
        engine
            .run(QStringLiteral(
                     "INSERT INTO Vakansii (%1, id_kafedra, ZEB_User, ZEB_Update) SELECT %1, ?, ?, ? "
                     "FROM Vakansii WHERE id_kafedra = ? AND (id_deduce IS NULL OR id_deduce <> 2) "
                     "ORDER BY id_vakansiya")
                     .arg(CopiedColumns),
                 {to, login.left(20), now.date(), from})
            .rowsAffected;
    // The log's key, database login and time are the engine's.
    engine.run(
        QStringLiteral(
            "INSERT INTO ZEB_LOG (\"table\", row_id, descr, ZEB_User, comp) VALUES ('kafedra', ?, ?, ?, ?)"),
        {to, QStringLiteral("Скопированы строки кафедры %1 на кафедру %2: %3").arg(from).arg(to).arg(copied),
         login.left(50), ip.left(150)});

    StatementResult result;
    result.rowsAffected = copied;
    return result;
}

} // namespace zeb::sqliteprocedures
