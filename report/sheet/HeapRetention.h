#pragma once

namespace zeb {

// While it lives, freed heap memory is kept for the next allocation instead of going back to the system.
// Qt's PDF engine takes two buffers of 10 MB for every page it finishes and frees them at once; the C
// library would hand them back and fault them in afresh for the next page, which costs more than drawing
// the page. Afterwards the usual limits come back and the kept memory is returned.
class HeapRetention
{
public:
    HeapRetention();
    ~HeapRetention();
    HeapRetention(const HeapRetention&) = delete;
    HeapRetention& operator=(const HeapRetention&) = delete;
};

} // namespace zeb
