#pragma once

#include <QString>

class QWidget;

namespace zeb {

// Qt's own save dialog in Russian, on `proposedPath`'s folder with its name filled in: the path chosen, or
// an empty text when cancelled. It asks nothing about an existing file; the caller does, in Russian.
QString askSaveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                        const QString& filter);

} // namespace zeb
