#pragma once

namespace zeb {

class Engine;

// A believable small university for demonstrations and tests: reference tables, divisions and faculties
// with their departments, a few hundred schedule lines, employees on some of them, VuzDefaults row 22, the
// salary scale, the form's requisites and unit codes, and the demo users. The same rows every time; all or
// nothing, in one transaction.
class DemoData
{
public:
    DemoData() = delete;

    // The engine must be open on a freshly installed database, with the administrator's rights.
    static void fill(Engine& engine);
};

} // namespace zeb
