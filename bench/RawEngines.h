#pragma once

#include <QList>
#include <memory>

namespace zeb {
class TestInstallation;
}

// The engine's own API doing the client's work on division 1 of an installation from installWithLines:
// the baseline every figure is a ratio against.
class RawEngine
{
public:
    // The SQLite C API or libpq, by the installation's engine, on the client's account.
    static std::unique_ptr<RawEngine> open(const zeb::TestInstallation& installation);

    virtual ~RawEngine() = default;

    // Steps the division's lines as the client asks for them and reads every column; the sum keeps the
    // reads from being optimised away.
    virtual qint64 read() = 0;
    // The same for any statement written as the client writes it.
    virtual qint64 read(const QString& statement) = 0;

    // The division's line keys in key order.
    virtual QList<qint64> lineKeys() = 0;
    // Gives line keys[i] the number i + 1: one single-row update a line, all in one transaction.
    virtual void numberLines(const QList<qint64>& keys) = 0;
    // Sets every number of the division to NULL.
    virtual void clearNumbers() = 0;
};
