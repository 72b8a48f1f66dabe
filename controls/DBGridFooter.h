#pragma once

#include "controls/DatasetTotals.h"

#include <QPointer>
#include <QWidget>

namespace zeb {

class DBGridEh;

// A line under a grid with the totals of number fields over the rows the grid shows, each right-aligned
// under its column as the columns are resized and scrolled, and a caption at the left. It takes the
// grid's font and the height of one grid row, with a thin line on top.
class DBGridFooter : public QWidget
{
    Q_OBJECT

public:
    explicit DBGridFooter(QWidget* parent = nullptr);

    // Sums the fields over the dataset the grid shows now. A field the grid has no column for is summed
    // but not shown.
    void setGrid(DBGridEh* grid, const QStringList& fieldNames);

    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    // Words shown after the caption, where the totals leave room.
    void setNote(const QString& note);
    const QString& note() const { return m_note; }

    // The total of a summed field as shown; empty for a field not summed.
    QString totalText(const QString& fieldName) const;
    // The footer's cell under the field's column, in the footer's coordinates; null without a column.
    QRect totalCell(const QString& fieldName) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int gridColumn(const QString& fieldName) const;
    void followGridFont();

    QPointer<DBGridEh> m_grid;
    DatasetTotals m_totals;
    QString m_caption;
    QString m_note;
};

} // namespace zeb
