#pragma once

#include "data/dataset/Dataset.h"

#include <array>

namespace zeb {

class Error;
class Field;
class ScheduleLineContext;

// The rules that run when a schedule line is saved, starts editing, fails to save or is deleted: the
// audit stamp, the defaults and the chosen unit on every save, and one statement that deletes the
// selected lines. The schedule's fields are defined before the rules are made and stay as they are.
class ScheduleLineRules
{
public:
    ScheduleLineRules(Dataset& schedule, ScheduleLineContext& context);
    ~ScheduleLineRules();
    ScheduleLineRules(const ScheduleLineRules&) = delete;
    ScheduleLineRules& operator=(const ScheduleLineRules&) = delete;

    // Hooks the four rules to the dataset's events; the destructor unhooks them.
    void install();

    void beforePost(Dataset& schedule);
    void afterEdit(Dataset& schedule);
    void postError(Dataset& schedule, const Error& failure, Dataset::PostErrorAction& action);
    // Deletes the selected lines (or the current one when none is selected) with one statement, reloads
    // the schedule and cancels the dataset's own delete by raising Abort. A line changed or deleted by
    // another workstation since it was read stops the delete of all of them, with a notice.
    void beforeDelete(Dataset& schedule);

private:
    struct LineDefault
    {
        Field& field;
        qint64 value;
    };

    void showLineInUse();
    void stamp(const QDate& today);

    Dataset& m_schedule;
    ScheduleLineContext& m_context;
    // Saves look these up on every line, so they are found once.
    Field& m_user;
    Field& m_updated;
    Field& m_entryDate;
    std::array<LineDefault, 6> m_defaults;
};

} // namespace zeb
