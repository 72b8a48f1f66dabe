#pragma once

#include <QString>

namespace zeb {

class Dataset;

// The address of the staff schedule report: the report server's base address, kept in the installation's
// defaults, followed by the report page. Read through `scratch`, which stays open on its statement.
// Empty when the installation names no report server.
QString reportAddress(Dataset& scratch);

} // namespace zeb
