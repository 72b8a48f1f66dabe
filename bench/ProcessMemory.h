#pragma once

#include <QtGlobal>

// The process's memory as the system sees it, what the allocator keeps but does not use included.
namespace processMemory {

qint64 residentBytes();
// The most resident since the last resetPeak().
qint64 peakResidentBytes();
void resetPeak();
// Hands the allocator's free pages back to the system, as a fresh process has none: what the setup freed
// is not there to be reused unseen.
void returnFreed();

} // namespace processMemory
