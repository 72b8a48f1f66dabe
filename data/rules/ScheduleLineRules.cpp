#include "data/rules/ScheduleLineRules.h"

#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/Transaction.h"
#include "data/dataset/Field.h"
#include "data/rules/ScheduleLineContext.h"
#include "platform/Error.h"

namespace zeb {

namespace {

Field& fieldOf(Dataset& schedule, const QString& name)
{
    return *schedule.fieldByName(name);
}

// A box with typed text that matches no row has no key; writing 0 instead would break the foreign key.
void bindToUnit(Dataset& schedule, const UnitBox& box)
{
    if (box.shownText.isEmpty() || box.key.isNull())
        return;
    bool isNumber = false;
    const qint64 key = box.key.toLongLong(&isNumber);
    if (isNumber)
        schedule.fieldByName(box.fieldName)->setAsInteger(key);
}

} // namespace

ScheduleLineRules::ScheduleLineRules(Dataset& schedule, ScheduleLineContext& context)
    : m_schedule(schedule), m_context(context), m_user(fieldOf(schedule, QStringLiteral("ZEB_User"))),
      m_updated(fieldOf(schedule, QStringLiteral("ZEB_Update"))),
      m_entryDate(fieldOf(schedule, QStringLiteral("e_d_p"))),
      // Only NULL fields take these: a stored 0 is a value the user chose.
      m_defaults{{
          {fieldOf(schedule, QStringLiteral("id_structure")), 5},
          {fieldOf(schedule, QStringLiteral("id_bk")), 1},
          {fieldOf(schedule, QStringLiteral("q_units")), 0},
          {fieldOf(schedule, QStringLiteral("razrad")), 0},
          {fieldOf(schedule, QStringLiteral("id_enter")), 1},
          {fieldOf(schedule, QStringLiteral("id_deduce")), 1},
      }}
{
}

ScheduleLineRules::~ScheduleLineRules()
{
    m_schedule.beforePost = nullptr;
    m_schedule.afterEdit = nullptr;
    m_schedule.postError = nullptr;
    m_schedule.beforeDelete = nullptr;
}

void ScheduleLineRules::install()
{
    m_schedule.beforePost = [this](Dataset& schedule) { beforePost(schedule); };
    m_schedule.afterEdit = [this](Dataset& schedule) { afterEdit(schedule); };
    m_schedule.postError = [this](Dataset& schedule, const Error& failure, Dataset::PostErrorAction& action) {
        postError(schedule, failure, action);
    };
    m_schedule.beforeDelete = [this](Dataset& schedule) { beforeDelete(schedule); };
}

void ScheduleLineRules::beforePost(Dataset& schedule)
{
    // One look at the clock for the whole save.
    const QDate today = m_context.now().date();
    stamp(today);
    if (m_entryDate.isNull())
        m_entryDate.setAsDateTime(QDateTime(today, QTime(0, 0)));
    if (!m_context.applyLineDefaults())
        return;
    for (const LineDefault& fallback : m_defaults) {
        if (fallback.field.isNull())
            fallback.field.setAsInteger(fallback.value);
    }
    for (const UnitBox& box : m_context.unitBoxes())
        bindToUnit(schedule, box);
}

void ScheduleLineRules::afterEdit(Dataset&)
{
    stamp(m_context.now().date());
}

// The fields cut the login to 20 characters and keep the date only.
void ScheduleLineRules::stamp(const QDate& today)
{
    m_user.setValue(m_context.sessionLogin());
    m_updated.setValue(today);
}

// Only a missing entry kind gets its own notice; every other failure is raised as it is.
void ScheduleLineRules::postError(Dataset& schedule, const Error&, Dataset::PostErrorAction& action)
{
    if (!fieldOf(schedule, QStringLiteral("id_enter")).asString().isEmpty())
        return;
    m_context.showNotice(QStringLiteral("Вы не заполнили поле \"Ввести\"!!!"), QStringLiteral("Уведомление"),
                         NoticeIcon::Warning);
    action = Dataset::PostErrorAction::Abort;
    m_context.focusEntryKindColumn();
}

// One statement for all the selected lines, so the server refuses all of them or none. It deletes by key:
// each line is first held as it was read, in the same transaction, so that a line another workstation
// changed or deleted meanwhile is not deleted unseen.
void ScheduleLineRules::beforeDelete(Dataset& schedule)
{
    QList<QByteArray> selected = m_context.selectedRows();
    if (selected.isEmpty())
        selected.append(schedule.bookmark());
    Transaction transaction(schedule.connection()->engine());
    QString list;
    try {
        for (const QByteArray& row : selected) {
            schedule.gotoBookmark(row);
            schedule.lockCurrentRowUnchanged();
            list += QLatin1Char(',') + fieldOf(schedule, QStringLiteral("id_vakansiya")).asString();
        }
    } catch (const DatabaseError& conflict) {
        transaction.rollback();
        m_context.showNotice(conflict.message(), QStringLiteral("Уведомление"), NoticeIcon::Warning);
        throw Abort();
    }
    list.remove(0, 1);

    try {
        {
            Dataset statement(QStringLiteral("DeleteLines"), schedule.connection());
            statement.setSql(QStringLiteral("Delete From Vakansii Where id_vakansiya in (") + list +
                             QLatin1Char(')'));
            statement.execSql();
        }
        transaction.commit();
    } catch (const Error&) {
        transaction.rollback();
        showLineInUse();
        throw Abort();
    }
    try {
        schedule.close();
        schedule.open();
    } catch (const Error&) {
        showLineInUse();
    }
    throw Abort();
}

void ScheduleLineRules::showLineInUse()
{
    m_context.showNotice(QStringLiteral("Данная вакансия используется в должности."),
                         QStringLiteral("Уведомление"), NoticeIcon::Error);
}

} // namespace zeb
