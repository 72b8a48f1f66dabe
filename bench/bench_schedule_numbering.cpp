#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "data/dataset/Field.h"
#include "data/module/DataModule.h"
#include "data/rules/ScheduleLineContext.h"
#include "data/rules/ScheduleLineRules.h"
#include "schedule/navigation/LineNumbering.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 2000;

// The main window as the line rules see it after "kadry" picked division 1 with defaults on.
class DivisionPicked : public ScheduleLineContext
{
public:
    QString sessionLogin() const override { return QStringLiteral("kadry"); }
    bool applyLineDefaults() const override { return true; }
    QList<UnitBox> unitBoxes() const override
    {
        return {
            {QStringLiteral("id_otdel_1"), QStringLiteral("Ректорат"), 1},
            {QStringLiteral("id_otdel_2"), {}, {}},
            {QStringLiteral("id_faculty"), {}, {}},
            {QStringLiteral("id_kafedra"), {}, {}},
            {QStringLiteral("id_otdel_11"), {}, {}},
        };
    }
    QList<QByteArray> selectedRows() const override { return {}; }
    // Read once, as the clock is: building a local date-time is the harness's cost, not the client's.
    QDateTime now() const override { return m_now; }
    // A notice means a line failed to save; the check after the loop reports it.
    void showNotice(const QString&, const QString&, NoticeIcon) override { ++notices; }
    void focusEntryKindColumn() override {}

    int notices = 0;

private:
    const QDateTime m_now{QDate(2024, 9, 2), QTime(9, 30)};
};

void numberLines(benchmark::State& state, const TestInstallation& installation)
{
    DataModule module;
    openDataModule(module, installation);
    Dataset& lines = module.scheduleLines;
    DivisionPicked window;
    ScheduleLineRules rules(lines, window);
    rules.install();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(installation);
    const QList<qint64> keys = raw->lineKeys();

    // The first numbering of the process, with the statements not yet prepared on either side.
    raw->clearNumbers();
    QElapsedTimer first;
    first.start();
    raw->numberLines(keys);
    const double rawFirst = double(first.nsecsElapsed()) / 1e9;
    lines.close();
    raw->clearNumbers();
    lines.open();
    first.restart();
    numberUnnumberedLines(lines);
    const double datasetFirst = double(first.nsecsElapsed()) / 1e9;

    double rawSeconds = 0;
    double datasetSeconds = 0;
    for (auto _ : state) {
        raw->clearNumbers();
        QElapsedTimer timer;
        timer.start();
        raw->numberLines(keys);
        rawSeconds += double(timer.nsecsElapsed()) / 1e9;

        lines.close();
        raw->clearNumbers();
        lines.open();
        timer.restart();
        numberUnnumberedLines(lines);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        datasetSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    lines.last();
    if (keys.size() != lineCount || lines.recordCount() != lineCount || window.notices != 0 ||
        lines.fieldByName(QStringLiteral("Num"))->asInteger() != lineCount)
        state.SkipWithError("the unit was not numbered 1..n");
    state.counters["raw_ms"] = rawSeconds * 1e3 / double(state.iterations());
    state.counters["first_ratio_vs_raw"] = datasetFirst / rawFirst;
    state.counters["ratio_vs_raw"] = datasetSeconds / rawSeconds;
}

void BM_NumberLinesSqlite(benchmark::State& state)
{
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Sqlite, lineCount, Numbering::Unnumbered);
    numberLines(state, *installation);
}

void BM_NumberLinesPostgres(benchmark::State& state)
{
    if (!postgresAvailable(state))
        return;
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Postgres, lineCount, Numbering::Unnumbered);
    numberLines(state, *installation);
}

} // namespace

BENCHMARK(BM_NumberLinesSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_NumberLinesPostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
