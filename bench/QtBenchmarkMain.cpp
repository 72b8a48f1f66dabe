#include "platform/LocalTimeZone.h"

#include <benchmark/benchmark.h>

#if defined(ZEB_BENCH_WIDGETS)
#include <QApplication>
using Application = QApplication;
#elif defined(ZEB_BENCH_GUI)
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

// The benchmarks' entry point: the code under test expects an application object and the process set up
// as the client's.
int main(int argc, char** argv)
{
    zeb::pinLocalTimeZone();
#if defined(ZEB_BENCH_WIDGETS) || defined(ZEB_BENCH_GUI)
    // Painted without a display unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
