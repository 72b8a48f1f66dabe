#pragma once

#include "report/sheet/SheetStyle.h"

#include <QImage>

namespace zeb {

// What sheets are measured on: a device of the sheets' resolution (never drawn on itself) and the sheets'
// style on it. Fonts need a QGuiApplication (the offscreen platform will do).
class SheetMedium
{
public:
    SheetMedium();
    Q_DISABLE_COPY_MOVE(SheetMedium)

    QPaintDevice& device() { return m_device; }
    const SheetStyle& style() const { return m_style; }

private:
    QImage m_device;
    SheetStyle m_style;
};

} // namespace zeb
