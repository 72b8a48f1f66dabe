#include "controls/DBGridEh.h"
#include "data/module/DataModule.h"
#include "bench/RawEngines.h"
#include "schedule/grid/ScheduleColumns.h"
#include "bench/ScheduleLines.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPixmap>
#include <QScrollBar>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int unitLines = 10000;
constexpr int fewLines = 100;
constexpr int manyLines = 100000;

// The division's lines in the schedule grid, shown at a fixed size with the main window's font.
class ScheduleOnScreen
{
public:
    explicit ScheduleOnScreen(const TestInstallation& installation)
    {
        openDataModule(module, installation);
        QFont font(QStringLiteral("Courier New"));
        font.setPixelSize(13);
        grid.setFont(font);
        grid.setDataSource(&module.scheduleLinesSource);
        grid.setColumns(scheduleGridColumns());
        grid.resize(1000, 600);
        module.scheduleLines.open();
        grid.show();
        QCoreApplication::processEvents();
    }

    Dataset& lines() { return module.scheduleLines; }

    DataModule module;
    DBGridEh grid;
};

// Counts the paint events a widget gets, so that a figure shows when a page is painted more than once.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }

    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void openIntoGrid(benchmark::State& state, const TestInstallation& installation)
{
    ScheduleOnScreen screen(installation);
    Dataset& lines = screen.lines();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(installation);
    PaintCounter counter(screen.grid.viewport());

    double rawSeconds = 0;
    double gridSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(raw->read());
        rawSeconds += double(timer.nsecsElapsed()) / 1e9;

        timer.restart();
        lines.close();
        lines.open();
        // The repaint paints what the reload marked dirty, so the events that follow find the page
        // painted: one paint, as the user sees it.
        screen.grid.viewport()->repaint();
        QCoreApplication::processEvents();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        gridSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (lines.recordCount() != unitLines || screen.grid.model()->rowCount() != unitLines)
        state.SkipWithError("the grid did not get every line");
    state.counters["raw_ms"] = rawSeconds * 1e3 / double(state.iterations());
    state.counters["ratio_vs_raw"] = gridSeconds / rawSeconds;
    state.counters["paints_per_open"] = double(counter.paints) / double(state.iterations());
}

void BM_OpenIntoGridSqlite(benchmark::State& state)
{
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Sqlite, unitLines);
    openIntoGrid(state, *installation);
}

void BM_OpenIntoGridPostgres(benchmark::State& state)
{
    if (!postgresAvailable(state))
        return;
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Postgres, unitLines);
    openIntoGrid(state, *installation);
}

// Seconds to paint the grid's visible page once, scrolled to the middle of its lines. The whole grid is
// painted, as the row indicator is the part whose work could grow with the line count.
class PagePainter
{
public:
    explicit PagePainter(const TestInstallation& installation)
        : m_screen(installation), m_page(m_screen.grid.size())
    {
        QScrollBar* scroll = m_screen.grid.verticalScrollBar();
        scroll->setValue(scroll->maximum() / 2);
        QCoreApplication::processEvents();
    }

    int lineCount() { return m_screen.lines().recordCount(); }

    double paint()
    {
        QElapsedTimer timer;
        timer.start();
        m_screen.grid.render(&m_page);
        return double(timer.nsecsElapsed()) / 1e9;
    }

private:
    ScheduleOnScreen m_screen;
    QPixmap m_page;
};

void paintPage(benchmark::State& state, const TestInstallation& few, const TestInstallation& many)
{
    PagePainter small(few);
    PagePainter large(many);
    // The first paints lay out fonts and caches that later ones reuse.
    small.paint();
    large.paint();

    double smallSeconds = 0;
    double largeSeconds = 0;
    for (auto _ : state) {
        smallSeconds += small.paint();
        const double seconds = large.paint();
        largeSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (small.lineCount() != fewLines || large.lineCount() != manyLines)
        state.SkipWithError("the grids did not get every line");
    state.counters["ratio_100k_vs_100"] = largeSeconds / smallSeconds;
    state.counters["ms_100"] = smallSeconds * 1e3 / double(state.iterations());
}

void BM_PaintPageSqlite(benchmark::State& state)
{
    static const std::unique_ptr<TestInstallation> few = installWithLines(EngineKind::Sqlite, fewLines);
    static const std::unique_ptr<TestInstallation> many = installWithLines(EngineKind::Sqlite, manyLines);
    paintPage(state, *few, *many);
}

void BM_PaintPagePostgres(benchmark::State& state)
{
    if (!postgresAvailable(state))
        return;
    static const std::unique_ptr<TestInstallation> few = installWithLines(EngineKind::Postgres, fewLines);
    static const std::unique_ptr<TestInstallation> many = installWithLines(EngineKind::Postgres, manyLines);
    paintPage(state, *few, *many);
}

} // namespace

BENCHMARK(BM_OpenIntoGridSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenIntoGridPostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
// A fixed count, so that the two grids load once per run.
BENCHMARK(BM_PaintPageSqlite)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);
BENCHMARK(BM_PaintPagePostgres)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);
