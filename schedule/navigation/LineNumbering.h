#pragma once

namespace zeb {

class Dataset;

// Gives a number to every line of the open schedule that has none. Lines without a number come first in
// the Num order: a wholly unnumbered unit is numbered 1..n in place; otherwise the unnumbered lines get
// the numbers after the last one and the schedule is reloaded so that they come last. Each numbered line
// is saved through the dataset, so the line rules apply; the saves are one transaction, so a failure
// leaves the database as it was and the schedule is reloaded to show that.
void numberUnnumberedLines(Dataset& schedule);

} // namespace zeb
