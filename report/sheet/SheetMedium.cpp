#include "report/sheet/SheetMedium.h"

namespace zeb {

namespace {

// The layout's pixels: fine enough that rounding never shows.
constexpr int dotsPerInch = 1200;

QImage sheetDevice()
{
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    device.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    return device;
}

} // namespace

SheetMedium::SheetMedium() : m_device(sheetDevice()), m_style(m_device) {}

} // namespace zeb
