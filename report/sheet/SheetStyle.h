#pragma once

#include <QFont>
#include <QRectF>

class QPaintDevice;

namespace zeb {

// The fonts and sizes of the printed form, in the pixels of the device it is drawn on.
class SheetStyle
{
public:
    explicit SheetStyle(QPaintDevice& device);

    qreal millimetres(qreal value) const { return value * m_pixelsPerMillimetre; }
    // Where a sheet's content goes: inside the margins, above the footer.
    const QRectF& body() const { return m_body; }
    // The footer's line below the body.
    QRectF footer() const;

    const QFont& text() const { return m_text; }
    const QFont& bold() const { return m_bold; }
    const QFont& heading() const { return m_heading; }
    const QFont& small() const { return m_small; }
    // The form's typeface at `points`.
    static QFont font(qreal points, bool bold = false);

    // Space between a cell's border and its text.
    qreal padding() const { return m_padding; }
    qreal gridWidth() const { return m_gridWidth; }

private:
    qreal m_pixelsPerMillimetre;
    QRectF m_body;
    qreal m_footerHeight;
    QFont m_text;
    QFont m_bold;
    QFont m_heading;
    QFont m_small;
    qreal m_padding;
    qreal m_gridWidth;
};

} // namespace zeb
