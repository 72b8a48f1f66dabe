#pragma once

#include <QStyledItemDelegate>

namespace zeb {

// Draws an entry of a lookup list with its detail (DetailRole) beside the entry's own text, so that the
// drop-down list grows wide enough for both.
class LookupEntryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int DetailRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The text an entry shows in the list.
    static QString shownText(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace zeb
