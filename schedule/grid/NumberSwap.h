#pragma once

namespace zeb {

class Dataset;
struct ColumnUpdateData;

// A number typed into "№" of a saved line that another loaded line holds: the two lines exchange their
// numbers, so numbers stay unique within the unit. Both lines are saved through the dataset. A new,
// never saved line has no previous number to give away and keeps the typed one without a swap.
void swapLineNumbers(Dataset& schedule, const ColumnUpdateData& data);

} // namespace zeb
