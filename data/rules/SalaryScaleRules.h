#pragma once

namespace zeb {

class Dataset;

// What a salary of the scale must hold before it is saved: a pay grade from 1, the date it applies from
// and an amount not below zero. Told in plain Russian before the server would refuse it in its own words;
// a grade and date already taken is refused by the server, whose refusal the engine explains.
class SalaryScaleRules
{
public:
    // Hooks the check on `scale`'s saves for the lifetime of this object.
    explicit SalaryScaleRules(Dataset& scale);
    ~SalaryScaleRules();
    SalaryScaleRules(const SalaryScaleRules&) = delete;
    SalaryScaleRules& operator=(const SalaryScaleRules&) = delete;

    // Raises zeb::Error naming what is missing or wrong in the current row.
    static void check(Dataset& scale);

private:
    Dataset& m_scale;
};

} // namespace zeb
