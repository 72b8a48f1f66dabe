#pragma once

#include <QString>
#include <functional>

namespace zeb {

// The files of the lists the office makes beside the staff schedule (the vacancies, the changes over a
// period): A4 sheets (.pdf), an HTML page (.html, .htm) or a spreadsheet (.xlsx), by the file's extension in
// any letter case.

// Raises Error unless the extension names one of them; `document` names the list in the message
// ("Вакансии записываются в файл ...").
void checkListFile(const QString& path, const QString& document);

// Writes the file: the page made by `html`, the spreadsheet by `writeXlsx` or the sheets by `writePdf`;
// raises as checkListFile does for another extension and IoError when the file cannot be written; nothing
// half-written is left.
void writeListFile(const QString& path, const QString& document, const std::function<QString()>& html,
                   const std::function<void(const QString& path)>& writeXlsx,
                   const std::function<void(const QString& path)>& writePdf);

} // namespace zeb
