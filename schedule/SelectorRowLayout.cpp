#include "schedule/SelectorRowLayout.h"

#include <QWidget>

namespace zeb {

namespace {

int slackOf(const RowPlace& place)
{
    return qMax(0, place.place.width() - qMax(0, place.minimumWidth));
}

int bottomOf(const QList<RowPlace>& places)
{
    int bottom = 0;
    for (const RowPlace& place : places)
        bottom = qMax(bottom, place.place.bottom() + 1);
    return bottom;
}

} // namespace

int designWidth(const QList<RowPlace>& places)
{
    int right = 0;
    for (const RowPlace& place : places)
        right = qMax(right, place.place.right() + 1);
    return right;
}

int leastWidth(const QList<RowPlace>& places)
{
    int slack = 0;
    for (const RowPlace& place : places)
        slack += slackOf(place);
    return designWidth(places) - slack;
}

QList<QRect> placesInRow(const QList<RowPlace>& places, int width)
{
    const qint64 slack = designWidth(places) - leastWidth(places);
    const qint64 deficit = qBound(qint64(0), qint64(designWidth(places)) - width, slack);
    // What each control gives up, rounding carried over so that they give up the deficit exactly.
    QList<int> given(places.size(), 0);
    qint64 spared = 0;
    int used = 0;
    for (qsizetype i = 0; i < places.size() && slack > 0; ++i) {
        spared += slackOf(places[i]);
        const int upTo = int((spared * deficit + slack / 2) / slack);
        given[i] = upTo - used;
        used = upTo;
    }
    QList<QRect> shown;
    for (const RowPlace& place : places) {
        int shift = 0;
        for (qsizetype j = 0; j < places.size(); ++j) {
            if (places[j].place.right() < place.place.left())
                shift += given[j];
        }
        QRect rect = place.place.translated(-shift, 0);
        rect.setWidth(place.place.width() - given[shown.size()]);
        shown.append(rect);
    }
    return shown;
}

SelectorRowLayout::SelectorRowLayout(QWidget* page) : QLayout(page)
{
    // The last "+" keeps clear of the window's edge.
    setContentsMargins(0, 0, 4, 0);
}

SelectorRowLayout::~SelectorRowLayout()
{
    qDeleteAll(m_items);
}

void SelectorRowLayout::addControl(QWidget* control, const QRect& place)
{
    addShrinkingControl(control, place, place.width());
}

void SelectorRowLayout::addShrinkingControl(QWidget* control, const QRect& place, int minimumWidth)
{
    addChildWidget(control);
    // A page not shown yet is not laid out, but its controls already stand where the design puts them.
    control->setGeometry(place);
    m_items.append(new QWidgetItem(control));
    m_places.append(RowPlace{place, qMin(minimumWidth, place.width())});
    invalidate();
}

// Controls come with their places through addControl(); an item added otherwise keeps its own geometry.
void SelectorRowLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
    m_places.append(RowPlace{item->geometry(), item->geometry().width()});
}

QLayoutItem* SelectorRowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem* SelectorRowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    m_places.removeAt(index);
    return m_items.takeAt(index);
}

int SelectorRowLayout::count() const
{
    return int(m_items.size());
}

QSize SelectorRowLayout::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return QSize(designWidth(m_places), bottomOf(m_places)).grownBy(margins);
}

QSize SelectorRowLayout::minimumSize() const
{
    const QMargins margins = contentsMargins();
    return QSize(leastWidth(m_places), bottomOf(m_places)).grownBy(margins);
}

void SelectorRowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect room = rect.marginsRemoved(contentsMargins());
    const QList<QRect> shown = placesInRow(m_places, room.width());
    // Straight onto the widgets: a layout item would also bound them by their size hints.
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const QRect place = shown[i].translated(room.topLeft());
        if (QWidget* control = m_items[i]->widget())
            control->setGeometry(place);
        else
            m_items[i]->setGeometry(place);
    }
}

} // namespace zeb
