#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

double secondsToRun(const QString& program)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    process.waitForFinished(30000);
    return double(timer.nsecsElapsed()) / 1e9;
}

// Process start to the sign-in dialog on screen, against a bare Qt program showing a dialog.
void BM_StartToSignInDialog(benchmark::State& state)
{
    const QString client = QStringLiteral(ZEB_CLIENT_PROBE);
    const QString bare = QStringLiteral(ZEB_BARE_PROBE);
    double clientSeconds = 0;
    double bareSeconds = 0;
    for (auto _ : state) {
        bareSeconds += secondsToRun(bare);
        const double seconds = secondsToRun(client);
        clientSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ratio_vs_bare_dialog"] = clientSeconds / bareSeconds;
}

} // namespace

BENCHMARK(BM_StartToSignInDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
