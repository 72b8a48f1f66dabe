#pragma once

#include <QString>

namespace zeb {

class Dataset;

namespace department {

// Removes department `id` through `exec` and writes its audit row with `logStatement`, as one unit of
// work: either the department is gone and the row records it, or neither happened and the error is
// raised. A department that is already gone raises an error too, so no removal is logged that did not
// happen here.
void removeDepartment(Dataset& exec, qint64 id, const QString& logStatement);

} // namespace department
} // namespace zeb
