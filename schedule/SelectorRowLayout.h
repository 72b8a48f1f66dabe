#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace zeb {

// A control of a selector row: its place on a page of the design width, and the least width it may shrink
// to (its own width for a control that does not shrink).
struct RowPlace
{
    QRect place;
    int minimumWidth = 0;
};

// The places on a page `width` wide. While the page is as wide as the design, every control stands at its
// place. On a narrower page the shrinking controls give up width in proportion to what each can spare, down
// to their minimum, and whatever stands to the right of a control moves left by what it gave up.
QList<QRect> placesInRow(const QList<RowPlace>& places, int width);
// The page width that the places need: as designed, and with every control at its minimum.
int designWidth(const QList<RowPlace>& places);
int leastWidth(const QList<RowPlace>& places);

// Lays out a page of unit selectors by placesInRow(): the selectors shrink before anything leaves the page,
// and the page asks for no less than the least width.
class SelectorRowLayout : public QLayout
{
public:
    explicit SelectorRowLayout(QWidget* page);
    ~SelectorRowLayout() override;

    void addControl(QWidget* control, const QRect& place);
    void addShrinkingControl(QWidget* control, const QRect& place, int minimumWidth);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    QList<QLayoutItem*> m_items;
    QList<RowPlace> m_places;
};

} // namespace zeb
