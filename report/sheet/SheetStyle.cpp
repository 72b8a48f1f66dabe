#include "report/sheet/SheetStyle.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>

namespace zeb {

namespace {

constexpr qreal marginMillimetres = 10;
constexpr qreal a4LongMillimetres = 297;
constexpr qreal a4ShortMillimetres = 210;

} // namespace

QFont SheetStyle::font(qreal points, bool bold)
{
    // Metric-compatible with the fonts offices print with; DejaVu where Liberation is missing.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    // Kerning and hinting would make a text's measured width differ from the drawn one.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

SheetStyle::SheetStyle(QPaintDevice& device)
    : m_pixelsPerMillimetre(device.logicalDpiX() / 25.4),
      m_body(millimetres(marginMillimetres), millimetres(marginMillimetres),
             millimetres(a4LongMillimetres - 2 * marginMillimetres),
             millimetres(a4ShortMillimetres - 2 * marginMillimetres)),
      m_text(font(7.5)), m_bold(font(7.5, true)), m_heading(font(6.5)), m_small(font(6)),
      m_padding(millimetres(0.8)), m_gridWidth(millimetres(0.15))
{
    m_footerHeight = 2 * QFontMetricsF(m_small, &device).height();
    m_body.setHeight(m_body.height() - m_footerHeight);
}

QRectF SheetStyle::footer() const
{
    return QRectF(m_body.left(), m_body.bottom(), m_body.width(), m_footerHeight);
}

} // namespace zeb
