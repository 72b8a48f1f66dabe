#pragma once

#include <QtGlobal>

namespace zeb {

class SheetInk;

// A block a report draws across a sheet's body apart from its table: a header above it on the first sheet,
// a closing block below it on the last.
class SheetBlock
{
public:
    virtual ~SheetBlock() = default;

    virtual qreal height() const = 0;
    virtual void draw(SheetInk& ink, qreal top) const = 0;
};

} // namespace zeb
