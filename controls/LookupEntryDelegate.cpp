#include "controls/LookupEntryDelegate.h"

namespace zeb {

QString LookupEntryDelegate::shownText(const QModelIndex& index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString detail = index.data(DetailRole).toString();
    return detail.isEmpty() ? text : text + QStringLiteral(" — ") + detail;
}

void LookupEntryDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = shownText(index);
}

} // namespace zeb
