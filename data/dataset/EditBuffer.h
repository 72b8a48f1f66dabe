#pragma once

#include <QVariant>
#include <vector>

namespace zeb {

// The cells written to the row being edited. A save then compares and sends only these, and cells never
// written are read from the stored row, so starting an edit copies nothing.
class EditBuffer
{
public:
    // Every cell of a row of `columnCount` columns unwritten.
    void start(int columnCount);
    void clear();

    bool isWritten(int column) const { return m_written[size_t(column)]; }
    const QVariant& value(int column) const { return m_values[size_t(column)]; }
    void write(int column, const QVariant& value);

private:
    std::vector<QVariant> m_values;
    std::vector<bool> m_written;
    // The columns written, so that clearing touches only them.
    std::vector<int> m_writtenColumns;
};

} // namespace zeb
