#include "data/DatabaseFault.h"

#include <QStringList>

namespace zeb {

namespace {

// " (таблица «vakansii», ограничение «vakansii_id_post_fkey»)", or as much of it as is known.
QString involved(const EngineFailure& failure)
{
    QStringList names;
    if (!failure.table.isEmpty())
        names << QStringLiteral("таблица «%1»").arg(failure.table);
    if (!failure.constraint.isEmpty())
        names << QStringLiteral("ограничение «%1»").arg(failure.constraint);
    return names.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(names.join(QStringLiteral(", ")));
}

// Rules of the salary scale, told as an officer knows them.
QString salaryScaleRule(const EngineFailure& failure)
{
    if (failure.fault == DatabaseFault::DuplicateKey && failure.constraint == u"oklad_razrad_date_from_key")
        return QStringLiteral(
                   "Изменение не сохранено: оклад этого разряда с этой даты уже записан. Исправьте "
                   "ту запись или укажите другую дату%1.")
            .arg(involved(failure));
    if (failure.fault == DatabaseFault::ConstraintViolated && failure.constraint == u"oklad_oklad_check")
        return QStringLiteral("Изменение не сохранено: оклад должен быть суммой в рублях не меньше нуля%1.")
            .arg(involved(failure));
    return {};
}

QString stillReferenced(const EngineFailure& failure)
{
    if (failure.table.isEmpty())
        return QStringLiteral("Запись нельзя удалить: на неё ссылаются записи другой таблицы%1.")
            .arg(involved(failure));
    const QString constraint = failure.constraint.isEmpty()
                                   ? QString()
                                   : QStringLiteral(" (ограничение «%1»)").arg(failure.constraint);
    return QStringLiteral("Запись нельзя удалить: на неё ссылаются записи таблицы «%1»%2.")
        .arg(failure.table, constraint);
}

// " «127.0.0.1:5432»" after "база данных" or "сервер базы данных"; nothing when the name is unknown.
QString named(const EngineFailure& failure)
{
    return failure.database.isEmpty() ? QString() : QStringLiteral(" «%1»").arg(failure.database);
}

QString serverText(DatabaseFault fault)
{
    switch (fault) {
    case DatabaseFault::ConnectionLost:
        return QStringLiteral("Связь с сервером базы данных%1 прервалась. Подождите немного и повторите "
                              "действие; если связь не восстановится, сообщите администратору.");
    case DatabaseFault::SessionEnded:
        return QStringLiteral("Сервер базы данных%1 завершил соединение по команде администратора или при "
                              "остановке. Подождите немного и повторите действие; если сервер не отвечает, "
                              "сообщите администратору.");
    case DatabaseFault::ServerUnreachable:
        return QStringLiteral(
            "Сервер базы данных%1 недоступен: он не запущен или до него нет связи. Подождите "
            "и повторите; если сервер так и не ответит, сообщите администратору.");
    case DatabaseFault::ServerStarting:
        return QStringLiteral("Сервер базы данных%1 запускается и ещё не принимает соединения. Подождите "
                              "немного и повторите.");
    case DatabaseFault::ServerShuttingDown:
        return QStringLiteral(
            "Сервер базы данных%1 останавливается и не принимает соединения. Подождите, пока "
            "его запустят снова, и повторите; если он не запустится, сообщите "
            "администратору.");
    case DatabaseFault::ServerRecovering:
        return QStringLiteral("Сервер базы данных%1 восстанавливается после сбоя и пока не принимает "
                              "соединения. Подождите немного и повторите; если это затянется, сообщите "
                              "администратору.");
    case DatabaseFault::ServerRejecting:
        return QStringLiteral("Сервер базы данных%1 сейчас не принимает соединения. Подождите немного и "
                              "повторите; если это затянется, сообщите администратору.");
    case DatabaseFault::OutcomeUnknown:
        return QStringLiteral(
            "Связь с сервером базы данных%1 прервалась, пока он выполнял изменение, и неизвестно, успел ли "
            "он его сохранить. Введённое осталось на экране. Прежде чем сохранять снова, проверьте, не "
            "сохранено ли оно уже (например, в другом окне программы): иначе новая строка может появиться "
            "дважды. Если связь не восстановится, сообщите администратору.");
    default:
        return {};
    }
}

} // namespace

bool isServerFault(DatabaseFault fault)
{
    return !serverText(fault).isEmpty();
}

QString faultExplanation(const EngineFailure& failure)
{
    if (const QString rule = salaryScaleRule(failure); !rule.isEmpty())
        return rule;
    switch (failure.fault) {
    case DatabaseFault::Other:
        return {};
    case DatabaseFault::StillReferenced:
        return stillReferenced(failure);
    case DatabaseFault::MissingReference:
        return QStringLiteral("Изменение не сохранено: запись ссылается на запись, которой нет%1.")
            .arg(involved(failure));
    case DatabaseFault::DuplicateKey:
        return QStringLiteral(
                   "Изменение не сохранено: такое значение уже есть, а повторяться оно не может%1.")
            .arg(involved(failure));
    case DatabaseFault::ConstraintViolated:
        return QStringLiteral("Изменение не сохранено: оно нарушает правило базы данных%1.")
            .arg(involved(failure));
    case DatabaseFault::ValueOutOfRange:
        return QStringLiteral("Изменение не сохранено: число слишком велико для столбца%1.")
            .arg(involved(failure));
    case DatabaseFault::DiskFull:
        return QStringLiteral("Изменение не сохранено: на диске базы данных%1 не осталось места. Сообщите "
                              "администратору: нужно освободить место на диске.")
            .arg(named(failure));
    case DatabaseFault::ReadOnly:
        return QStringLiteral("Изменение не сохранено: база данных%1 открыта только для чтения. Сообщите "
                              "администратору.")
            .arg(named(failure));
    case DatabaseFault::SessionRefused:
        return QStringLiteral(
                   "Связь с сервером базы данных%1 прервалась, а снова подключиться с прежним входом он не "
                   "дал: срок входа истёк, пароль сменён или вход закрыт. Несохранённое осталось на "
                   "экране: перепишите его, затем закройте программу и войдите снова; если вход не "
                   "удастся, сообщите администратору.")
            .arg(named(failure));
    default:
        return serverText(failure.fault).arg(named(failure));
    }
}

} // namespace zeb
