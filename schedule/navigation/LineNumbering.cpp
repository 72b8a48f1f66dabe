#include "schedule/navigation/LineNumbering.h"

#include "data/Connection.h"
#include "data/dataset/Dataset.h"
#include "data/Engine.h"
#include "data/dataset/Field.h"

namespace zeb {

namespace {

void numberCurrentLine(Dataset& schedule, Field& num, qint64 number)
{
    schedule.edit();
    num.setAsInteger(number);
    schedule.next();
}

// Numbers the lines; true when the schedule must be reloaded to put them in order.
bool numberLines(Dataset& schedule)
{
    Field& num = *schedule.fieldByName(QStringLiteral("Num"));
    schedule.last();
    const QString lastNumber = num.asString();
    schedule.first();
    if (lastNumber.isEmpty()) {
        qint64 counter = 0;
        while (!schedule.eof())
            numberCurrentLine(schedule, num, ++counter);
        return false;
    }
    qint64 counter = lastNumber.toLongLong();
    while (!schedule.eof() && num.isNull())
        numberCurrentLine(schedule, num, ++counter);
    return true;
}

} // namespace

void numberUnnumberedLines(Dataset& schedule)
{
    schedule.disableControls();
    Engine* transaction = nullptr;
    try {
        // Lines without a number come first, so the first line tells whether there is work.
        schedule.first();
        if (!schedule.isEmpty() && schedule.fieldByName(QStringLiteral("Num"))->isNull()) {
            transaction = &schedule.connection()->engine();
            transaction->beginTransaction();
        }
        const bool reload = transaction && numberLines(schedule);
        if (transaction)
            transaction->commit();
        transaction = nullptr;
        if (reload) {
            schedule.close();
            schedule.open();
        }
    } catch (...) {
        if (transaction) {
            transaction->rollback();
            schedule.close();
            schedule.open();
        }
        schedule.enableControls();
        throw;
    }
    schedule.enableControls();
}

} // namespace zeb
