#include "dialogs/department/DepartmentStatements.h"

#include "data/TsqlText.h"

namespace zeb::department {

QString copyStatement(qint64 source, qint64 target, const QString& login, const QString& computerName,
                      const QString& ip)
{
    return QStringLiteral("EXEC CopyKafedraOnKafedra @id_kafedraFrom = ") + QString::number(source) +
           QStringLiteral(", @id_kafedraTo = ") + QString::number(target) + QStringLiteral(", @zeb_user = ") +
           tsqlStringLiteral(login) + QStringLiteral(", @ip = ") +
           tsqlStringLiteral(computerName + u'\\' + ip);
}

QString removalStatement(const QString& id)
{
    return QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =") + id;
}

QString removalLogStatement(const QString& id, const QString& login, const QString& computerName,
                            const QString& ip)
{
    const QString description = QStringLiteral("Запись с уникальным номером - ") + id +
                                QStringLiteral(" была удалена.(id_kafedra = [") + id + QStringLiteral("])");
    return QStringLiteral("INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp]) VALUES(") +
           tsqlStringLiteral(QStringLiteral("kafedra")) + QStringLiteral(", ") + id + QStringLiteral(", ") +
           tsqlStringLiteral(description) + QStringLiteral(" , ") + tsqlStringLiteral(login) +
           QStringLiteral(", ") + tsqlStringLiteral(computerName + u'\\' + ip) + u')';
}

QString copyConfirmation(const QString& sourceName, const QString& targetText)
{
    return QStringLiteral("Вы действительно хотите копировать данные кафедры:\r\"") + sourceName +
           QStringLiteral("\" \rна данные кафедры:\r") + targetText + u'"';
}

QString removalConfirmation(const QString& departmentName)
{
    return QStringLiteral("Вы действительно хотите удалить кафедру \r") + tsqlStringLiteral(departmentName) +
           QStringLiteral(" без возможности восстанавления?");
}

QString removalFailure(const QString& reason)
{
    return QStringLiteral(
               "Данная кафедра не может быть удаленна на данный момент,\rтак как она используется.\r\r") +
           reason;
}

} // namespace zeb::department
