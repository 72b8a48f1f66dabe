#pragma once

#include <QStringList>

namespace zeb {

class Engine;

// Brings the schema of an embedded database file back to what the shipped schema makes: removes every
// table, virtual table, view, index and trigger the installation did not make (an older client could make
// them), makes again an index, view or trigger whose text differs from the shipped one, and makes what is
// missing. Table contents of the installation's own tables are kept, but log rows and key counters an
// older client put at the largest keys are brought back to the next free ones. All or nothing, in one
// transaction, on the administrator's connection to the file.
//
// Returns one Russian line per change; none when the schema was as shipped. Raises DatabaseError when the
// engine refuses.
QStringList repairSqliteSchema(Engine& admin);

} // namespace zeb
