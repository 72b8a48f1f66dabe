#include "schedule/grid/NumberSwap.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "controls/GridColumn.h"
#include "data/dataset/ValueText.h"

namespace zeb {

namespace {

void swapWithLineNumbered(Dataset& schedule, const QVariant& typed, const ColumnUpdateData& data)
{
    Field& num = *schedule.fieldByName(QStringLiteral("Num"));
    const QByteArray edited = schedule.bookmark();
    const QVariant previous = num.oldValue();
    // Moving away saves the edited line first.
    if (schedule.locate(QStringLiteral("Num"), typed)) {
        schedule.edit();
        num.setValue(previous);
        schedule.gotoBookmark(edited);
        schedule.edit();
        num.setValue(data.Value);
    } else {
        schedule.edit();
    }
}

} // namespace

void swapLineNumbers(Dataset& schedule, const ColumnUpdateData& data)
{
    if (data.Text.isEmpty() || schedule.state() != Dataset::State::Edit)
        return;
    Field& num = *schedule.fieldByName(QStringLiteral("Num"));
    const QVariant typed = valuetext::parse(data.Text, num.dataType());
    if (typed == num.oldValue())
        return;
    schedule.disableControls();
    try {
        swapWithLineNumbered(schedule, typed, data);
    } catch (...) {
        schedule.enableControls();
        throw;
    }
    schedule.enableControls();
}

} // namespace zeb
