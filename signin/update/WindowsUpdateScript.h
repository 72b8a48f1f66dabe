#pragma once

#include <QByteArray>
#include <QString>

namespace zeb {

// The script that replaces "ZEB 7.exe" on Windows once the program has exited, as the program holds it:
// ten lines joined by carriage returns, no line break at the end.
QString windowsUpdateScriptText();

// The bytes written to "ZEB 7.bat": every line, the last one too, ends with CR LF; Windows-1251.
QByteArray windowsUpdateScriptFile();

} // namespace zeb
