#include "controls/GridHeaderView.h"

#include <QEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace zeb {

GridHeaderView::GridHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    // Narrow columns wrap their titles: the header grows to show them whole.
    connect(this, &QHeaderView::sectionResized, this, [this] { fitHeight(); });
}

void GridHeaderView::fitHeight()
{
    const int wanted = sizeHint().height();
    if (height() != wanted)
        setFixedHeight(wanted);
}

void GridHeaderView::setTitles(const QStringList& titles)
{
    m_titles = titles;
    fitHeight();
    viewport()->update();
}

QString GridHeaderView::groupText(int column) const
{
    const QString title = m_titles.value(column);
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : title.left(bar);
}

QString GridHeaderView::titleText(int column) const
{
    const QString title = m_titles.value(column);
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    return bar < 0 ? title : title.mid(bar + 1);
}

bool GridHeaderView::hasGroups() const
{
    for (int column = 0; column < m_titles.size(); ++column) {
        if (!groupText(column).isEmpty())
            return true;
    }
    return false;
}

std::pair<int, int> GridHeaderView::groupSpan(int column) const
{
    const QString group = groupText(column);
    int first = column;
    int last = column;
    if (group.isEmpty())
        return {first, last};
    while (first > 0 && groupText(first - 1) == group)
        --first;
    while (last + 1 < count() && groupText(last + 1) == group)
        ++last;
    return {first, last};
}

int GridHeaderView::levelHeight() const
{
    return fontMetrics().height() + titleMargin;
}

int GridHeaderView::titleLevelHeight() const
{
    int lines = fontMetrics().height();
    for (int column = 0; column < count(); ++column) {
        if (groupText(column).isEmpty() && hasGroups())
            continue;
        const QRect room(0, 0, qMax(1, sectionSize(column) - 4), 1000);
        lines = qMax(
            lines,
            fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, titleText(column)).height());
    }
    return lines + titleMargin;
}

QRect GridHeaderView::groupRect(int column) const
{
    if (groupText(column).isEmpty())
        return {};
    const auto [first, last] = groupSpan(column);
    const int left = sectionViewportPosition(first);
    const int right = sectionViewportPosition(last) + sectionSize(last);
    return QRect(left, 0, right - left, levelHeight());
}

QRect GridHeaderView::titleRect(int column) const
{
    const QRect section(sectionViewportPosition(column), 0, sectionSize(column), height());
    if (groupText(column).isEmpty())
        return section;
    return section.adjusted(0, levelHeight(), 0, 0);
}

QSize GridHeaderView::sizeHint() const
{
    const int groups = hasGroups() ? levelHeight() : 0;
    return QSize(QHeaderView::sizeHint().width(), groups + titleLevelHeight() + 2);
}

void GridHeaderView::changeEvent(QEvent* event)
{
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHeight();
}

// A wrapped title is laid out once per cell size, not on every paint.
void GridHeaderView::paintCell(QPainter* painter, const QRect& rect, const QString& text) const
{
    m_cells.paint(painter, rect, text, *this, [this, &text](QPainter& cell, const QRect& area) {
        qDrawWinButton(&cell, area, palette(), false, &palette().brush(QPalette::Button));
        // Titles stay legible while the grid waits, disabled, for a unit to be chosen.
        cell.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        cell.drawText(area.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text);
    });
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->setFont(font());
    if (groupText(logicalIndex).isEmpty()) {
        paintCell(painter, rect, titleText(logicalIndex));
    } else {
        const QRect group = groupRect(logicalIndex);
        paintCell(painter, QRect(group.left(), rect.top(), group.width(), group.height()),
                  groupText(logicalIndex));
        paintCell(painter, titleRect(logicalIndex).translated(0, rect.top()), titleText(logicalIndex));
    }
    painter->restore();
}

} // namespace zeb
