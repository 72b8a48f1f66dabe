#pragma once

namespace zeb {

class Engine;

// The rows every installation needs before the first line is saved: the entry and withdrawal kinds
// (withdrawal 2 marks a withdrawn line), the staff categories and funding sources the save defaults name
// (category 5, source 1), and post 1, which a unit's placeholder line carries. The rows are those of
// server/reference.sql, which a SQL Server installation runs as it is.
class BaseData
{
public:
    BaseData() = delete;

    static void fill(Engine& engine);
    // The name of post 1 as server/reference.sql writes it.
    static const char* placeholderPost();
};

} // namespace zeb
