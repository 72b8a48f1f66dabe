#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"
#include "data/module/DataModule.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <limits>
#include <vector>

using namespace zeb;

namespace {

constexpr int lineCount = 100000;

// A date-time as the wall-clock milliseconds it shows; NULL first.
qint64 wallClock(const QVariant& value)
{
    if (value.isNull())
        return std::numeric_limits<qint64>::min();
    const QDateTime shown = value.toDateTime();
    return shown.date().toJulianDay() * 86400000 + shown.time().msecsSinceStartOfDay();
}

QString shownText(const QVariant& value)
{
    return value.toString();
}

// The unit sorted by what a column shows, against std::sort of the same values already in memory.
template <typename Value>
void sortSchedule(benchmark::State& state, const QString& column, Value (*valueOf)(const QVariant&))
{
    const std::unique_ptr<TestInstallation> installation = installWithLines(EngineKind::Sqlite, lineCount);
    DataModule module;
    openDataModule(module, *installation);
    Dataset& lines = module.scheduleLines;
    lines.open();
    const int field = lines.fieldIndex(column);
    std::vector<Value> values;
    values.reserve(size_t(lines.recordCount()));
    for (int position = 0; position < lines.recordCount(); ++position)
        values.push_back(valueOf(lines.valueAt(position, field)));

    // The user's click on the title: the first sort of the process, lookups and collation not yet warm.
    std::vector<Value> firstCopy = values;
    const double plainFirst = secondsOf([&] { std::sort(firstCopy.begin(), firstCopy.end()); });
    const double datasetFirst = secondsOf([&] { lines.sort(column); });

    double plainSeconds = 0;
    double datasetSeconds = 0;
    for (auto _ : state) {
        std::vector<Value> copy = values;
        plainSeconds += secondsOf([&] { std::sort(copy.begin(), copy.end()); });
        lines.sort(QStringLiteral("Num"));
        const double seconds = secondsOf([&] { lines.sort(column); });
        datasetSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (lines.recordCount() != lineCount)
        state.SkipWithError("the unit did not load every line");
    state.counters["first_ratio_vs_std_sort"] = datasetFirst / plainFirst;
    state.counters["ratio_vs_std_sort"] = datasetSeconds / plainSeconds;
}

void BM_SortByEntryDate(benchmark::State& state)
{
    sortSchedule(state, QStringLiteral("e_d_p"), wallClock);
}

void BM_SortByPost(benchmark::State& state)
{
    sortSchedule(state, QStringLiteral("POST"), shownText);
}

} // namespace

BENCHMARK(BM_SortByEntryDate)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByPost)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
