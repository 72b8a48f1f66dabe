#include "report/sheet/WrappedText.h"

#include <QPainter>
#include <QTextLayout>

namespace zeb {

namespace {

QTextOption wrapping(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

} // namespace

WrappedText::WrappedText(QPaintDevice& device, const QFont& font)
    : m_device(device), m_font(font), m_metrics(font, &device)
{
}

bool WrappedText::fitsOneLine(const QString& text, qreal width) const
{
    // Most cells hold a short text: measuring its advance is much cheaper than laying it out.
    return !text.contains(QChar::LineSeparator) && m_metrics.horizontalAdvance(text) <= width;
}

int WrappedText::lineCount(const QString& text, qreal width) const
{
    if (text.isEmpty())
        return 0;
    if (fitsOneLine(text, width))
        return 1;
    QTextLayout layout(text, m_font, &m_device);
    layout.setTextOption(wrapping(Qt::AlignLeft));
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

void WrappedText::draw(QPainter& painter, const QRectF& rect, Qt::Alignment alignment,
                       const QString& text) const
{
    if (text.isEmpty())
        return;
    painter.setFont(m_font);
    if (fitsOneLine(text, rect.width())) {
        const qreal advance = m_metrics.horizontalAdvance(text);
        qreal x = rect.left();
        if (alignment & Qt::AlignRight)
            x = rect.right() - advance;
        else if (alignment & Qt::AlignHCenter)
            x = rect.left() + (rect.width() - advance) / 2;
        painter.drawText(QPointF(x, rect.top() + m_metrics.ascent()), text);
        return;
    }
    QTextLayout layout(text, m_font, &m_device);
    layout.setTextOption(wrapping(alignment));
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, y));
        y += lineHeight();
    }
    layout.endLayout();
    layout.draw(&painter, rect.topLeft());
}

} // namespace zeb
