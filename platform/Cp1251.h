#pragma once

#include <QByteArray>
#include <QString>

namespace zeb::cp1251 {

// Texts of the settings file, the password digest and the update script are single-byte Windows-1251.
// A character outside the code page becomes '?'.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

} // namespace zeb::cp1251
