#pragma once

#include <QList>
#include <QStringList>

namespace zeb::gridclipboard {

// Cells as the clipboard carries them: tab between cells, a line break between rows.
QString toText(const QList<QStringList>& rows);
QList<QStringList> fromText(const QString& text);

} // namespace zeb::gridclipboard
