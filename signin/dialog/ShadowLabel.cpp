#include "signin/dialog/ShadowLabel.h"

#include "platform/seam/DisplayText.h"

#include <QPainter>

namespace zeb {

namespace {
constexpr int shadowDepth = 1;
}

ShadowLabel::ShadowLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
}

void ShadowLabel::setShadowColor(const QColor& color)
{
    m_shadowColor = color;
    update();
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    const QString shown = displayText(text());
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    const int flags = int(alignment()) | Qt::TextWordWrap;
    painter.setPen(m_shadowColor);
    painter.drawText(area.translated(shadowDepth, shadowDepth), flags, shown);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, flags, shown);
}

} // namespace zeb
