#include "report/change/ChangesFile.h"

#include "report/ListFile.h"
#include "report/change/ChangesHtml.h"
#include "report/change/ChangesPdf.h"
#include "report/change/ChangesXlsx.h"

namespace zeb {

namespace {

const auto document = QStringLiteral("Изменения за период");

} // namespace

void checkChangesFile(const QString& path)
{
    checkListFile(path, document);
}

void writeChangesReport(const ChangesReport& report, const QString& path)
{
    writeListFile(
        path, document, [&] { return changesHtml(report); },
        [&](const QString& file) { writeChangesXlsx(report, file); },
        [&](const QString& file) { writeChangesPdf(report, file); });
}

} // namespace zeb
