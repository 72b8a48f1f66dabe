#include "dialogs/department/DepartmentRemoval.h"

#include "data/Connection.h"
#include "data/dataset/Dataset.h"
#include "dialogs/department/DepartmentStatements.h"
#include "data/Engine.h"
#include "platform/Error.h"

namespace zeb::department {

void removeDepartment(Dataset& exec, const QString& id, const QString& logStatement)
{
    Connection& connection = *exec.connection();
    if (!connection.isOpen())
        connection.open();
    Engine& engine = connection.engine();
    engine.beginTransaction();
    try {
        exec.setSql(removalStatement(id));
        if (exec.execSql() == 0)
            throw Error(QStringLiteral("Кафедра с кодом %1 уже удалена другим пользователем.").arg(id));
        exec.setSql(logStatement);
        exec.execSql();
        engine.commit();
    } catch (...) {
        try {
            engine.rollback();
        } catch (const std::exception&) {
            // The first error says what went wrong; a lost connection rolls back by itself.
        }
        throw;
    }
}

} // namespace zeb::department
