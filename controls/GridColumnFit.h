#pragma once

#include <QList>

namespace zeb {

// Widths of a grid's columns fitted to `available` pixels: in the proportions of `proportions`, but none
// narrower than its entry of `minimums`. Columns held at their minimum leave the rest to the others; when
// the minimums alone need more than `available`, every column gets its minimum and the grid scrolls
// sideways. Otherwise the widths add up to `available` exactly.
QList<int> fitColumnWidths(const QList<int>& proportions, const QList<int>& minimums, int available);

} // namespace zeb
