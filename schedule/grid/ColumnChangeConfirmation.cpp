#include "schedule/grid/ColumnChangeConfirmation.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "controls/GridColumn.h"
#include "platform/seam/Platform.h"
#include "data/dataset/ValueText.h"

namespace zeb {

void askBeforeColumnChange(Dataset& schedule, ColumnUpdateData& data, const QString& question,
                           const QString& fieldName, RestoreAs restoreAs)
{
    if (schedule.state() != Dataset::State::Edit)
        return;
    const MessageAnswer answer = Platform::instance().messageBox(
        nullptr, question, QStringLiteral("Штатное расписание"), MessageButtons::OkCancel, MessageIcon::None);
    if (answer != MessageAnswer::Ok)
        handBackPreviousValue(schedule, data, fieldName, restoreAs);
}

void handBackPreviousValue(Dataset& schedule, ColumnUpdateData& data, const QString& fieldName,
                           RestoreAs restoreAs)
{
    const Field& field = *schedule.fieldByName(fieldName);
    const QVariant previous = field.oldValue();
    const QString previousText = valuetext::toText(previous, field.dataType());
    data.Value = restoreAs == RestoreAs::Value ? previous : QVariant(previousText);
    data.Text = previousText;
}

} // namespace zeb
