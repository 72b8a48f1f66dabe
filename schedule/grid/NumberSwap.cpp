#include "NumberSwap.h"

#include "ControlsDisabled.h"
#include "Dataset.h"
#include "Field.h"
#include "GridColumn.h"
#include "ValueText.h"

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
    const ControlsDisabled quiet(schedule);
    swapWithLineNumbered(schedule, typed, data);
}

} // namespace zeb
