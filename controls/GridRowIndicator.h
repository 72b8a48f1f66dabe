#pragma once

#include "controls/GridPixmaps.h"

#include <QHeaderView>

namespace zeb {

class Dataset;

// The row indicator column: an arrow on the current row, another mark while it is edited or inserted.
// Rows have one fixed height, so nothing is measured per row.
class GridRowIndicator : public QHeaderView
{
    Q_OBJECT

public:
    enum class Mark
    {
        None,
        Current,
        Editing,
        Inserting,
    };

    explicit GridRowIndicator(QWidget* parent = nullptr);

    void setDataset(Dataset* dataset);
    Mark mark(int row) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    Dataset* m_dataset = nullptr;
    mutable GridPixmaps m_buttons;
};

} // namespace zeb
