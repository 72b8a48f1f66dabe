#include "controls/GridRowIndicator.h"

#include "data/dataset/Dataset.h"

#include <QPainter>
#include <qdrawutil.h>

namespace zeb {

namespace {

constexpr int indicatorWidth = 14;

} // namespace

GridRowIndicator::GridRowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void GridRowIndicator::setDataset(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (!dataset)
        return;
    const auto repaint = [this] { viewport()->update(); };
    connect(dataset, &Dataset::stateChanged, this, repaint);
    connect(dataset, &Dataset::currentRowChanged, this, repaint);
}

GridRowIndicator::Mark GridRowIndicator::mark(int row) const
{
    if (!m_dataset || row < 0 || row != m_dataset->recNo())
        return Mark::None;
    switch (m_dataset->state()) {
    case Dataset::State::Edit:
        return Mark::Editing;
    case Dataset::State::Insert:
        return Mark::Inserting;
    default:
        return Mark::Current;
    }
}

QSize GridRowIndicator::sizeHint() const
{
    return QSize(indicatorWidth, defaultSectionSize());
}

QSize GridRowIndicator::sectionSizeFromContents(int) const
{
    return sizeHint();
}

void GridRowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    m_buttons.paint(painter, rect, QString(), *this, [this](QPainter& button, const QRect& area) {
        qDrawWinButton(&button, area, palette(), false, &palette().brush(QPalette::Button));
    });
    const Mark shown = mark(logicalIndex);
    if (shown == Mark::None)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setBrush(palette().color(QPalette::ButtonText));
    const QPointF c = QRectF(rect).center();
    if (shown == Mark::Current) {
        painter->drawPolygon(QPolygonF({c + QPointF(-2, -4), c + QPointF(2, 0), c + QPointF(-2, 4)}));
    } else if (shown == Mark::Editing) {
        // An I-beam: the line is being typed into.
        painter->drawLine(c + QPointF(0, -4), c + QPointF(0, 4));
        painter->drawLine(c + QPointF(-2, -4), c + QPointF(2, -4));
        painter->drawLine(c + QPointF(-2, 4), c + QPointF(2, 4));
    } else {
        painter->drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
    }
    painter->restore();
}

} // namespace zeb
