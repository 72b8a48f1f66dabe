#pragma once

#include <QString>

namespace zeb {

class Dataset;
struct ColumnUpdateData;

// How a refused change gives the line its previous value back.
enum class RestoreAs
{
    Value,
    Text,
};

// Asks whether a change of a saved line goes ahead; a new line is never asked about. On any answer but
// OK the line gets the previous value of `fieldName` back (the value last read from or saved to the
// database). Both Value and Text are handed back, so that the refusal holds however the grid writes the
// cell: a date typed as text is undone like one picked from the calendar.
void askBeforeColumnChange(Dataset& schedule, ColumnUpdateData& data, const QString& question,
                           const QString& fieldName, RestoreAs restoreAs);

// Gives the cell the previous value of `fieldName`.
void handBackPreviousValue(Dataset& schedule, ColumnUpdateData& data, const QString& fieldName,
                           RestoreAs restoreAs);

} // namespace zeb
