#pragma once

#include "controls/GridPixmaps.h"

#include <QHeaderView>
#include <QStringList>

namespace zeb {

// Column titles on two levels: "Group|Title" puts the group in a cell over all adjacent columns with the
// same group and the title under it; a title without a group fills both levels.
class GridHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    static constexpr int titleMargin = 5;

    explicit GridHeaderView(QWidget* parent = nullptr);

    void setTitles(const QStringList& titles);
    QString groupText(int column) const;
    QString titleText(int column) const;
    bool hasGroups() const;

    // The first and last column sharing the column's group; the column alone when it has none.
    std::pair<int, int> groupSpan(int column) const;
    // In viewport coordinates: the group cell (null when the column has no group) and the own title cell.
    QRect groupRect(int column) const;
    QRect titleRect(int column) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void changeEvent(QEvent* event) override;

private:
    // The group level: one line. The title level: the tallest wrapped title under a group.
    int levelHeight() const;
    int titleLevelHeight() const;
    void fitHeight();
    void paintCell(QPainter* painter, const QRect& rect, const QString& text) const;

    QStringList m_titles;
    mutable GridPixmaps m_cells;
};

} // namespace zeb
