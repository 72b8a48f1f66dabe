#pragma once

#include <QString>

namespace zeb {

// What an engine's refusal means, as far as the program tells refusals apart.
enum class DatabaseFault
{
    Other,
    StillReferenced,    // a row that other rows refer to was to be deleted
    MissingReference,   // a row refers to one that does not exist
    DuplicateKey,       // a unique key would hold the same value twice
    ConstraintViolated, // another rule of the schema
    ValueOutOfRange,    // a number the column cannot hold
    DiskFull,
    ReadOnly,
    ConnectionLost,    // the session ended under a statement
    SessionEnded,      // the server ended the session on purpose (an administrator, a shutdown)
    ServerUnreachable, // nothing answered at the server's address
    ServerStarting,
    ServerShuttingDown,
    ServerRecovering,
    ServerRejecting, // the server answers but takes no connections now, for a reason it did not say
    OutcomeUnknown, // the session ended while a change was on its way: the server may or may not have made it
    SessionRefused, // the server refused a new session with the credentials it had taken before
};

// A failure as an engine reported it, with what the program could learn of it.
struct EngineFailure
{
    DatabaseFault fault = DatabaseFault::Other;
    // The engine's own words.
    QString engineText;
    // The server or the file, as the user knows it.
    QString database;
    // Where the engine names them.
    QString table;
    QString constraint;
};

// True for faults of the server or of the way to it, as opposed to the statement or the credentials.
bool isServerFault(DatabaseFault fault);

// The Russian explanation of a known fault, naming what is involved; empty for DatabaseFault::Other.
QString faultExplanation(const EngineFailure& failure);

} // namespace zeb
