// Runs a benchmark program again and again, each time in a fresh process as a user's client starts, and
// gives each counter's median and spread over the processes: one process's first open is one sample.
//
//   bench_fresh_runs RUNS PROGRAM [ARGUMENTS...]
//
// The program is a Google Benchmark binary; its JSON output is read. Cases a process skipped are left out.

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

using Samples = QMap<QString, QMap<QString, QList<double>>>;

// Counters and the time of each case of one run.
bool collect(const QByteArray& output, Samples& samples)
{
    const QJsonDocument document = QJsonDocument::fromJson(output);
    if (!document.isObject())
        return false;
    static const QStringList notCounters = {QStringLiteral("name"),
                                            QStringLiteral("run_name"),
                                            QStringLiteral("run_type"),
                                            QStringLiteral("repetitions"),
                                            QStringLiteral("repetition_index"),
                                            QStringLiteral("threads"),
                                            QStringLiteral("iterations"),
                                            QStringLiteral("family_index"),
                                            QStringLiteral("per_family_instance_index"),
                                            QStringLiteral("time_unit"),
                                            QStringLiteral("aggregate_name"),
                                            QStringLiteral("aggregate_unit"),
                                            QStringLiteral("cpu_time"),
                                            QStringLiteral("error_occurred"),
                                            QStringLiteral("error_message")};
    for (const QJsonValue& value : document.object().value(QStringLiteral("benchmarks")).toArray()) {
        const QJsonObject run = value.toObject();
        if (run.value(QStringLiteral("error_occurred")).toBool())
            continue;
        const QString name = run.value(QStringLiteral("name")).toString();
        for (auto field = run.begin(); field != run.end(); ++field) {
            if (!notCounters.contains(field.key()) && field.value().isDouble())
                samples[name][field.key()].append(field.value().toDouble());
        }
    }
    return true;
}

QString figure(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return QStringLiteral("%1 [%2–%3]")
        .arg(median, 0, 'g', 4)
        .arg(values.first(), 0, 'g', 4)
        .arg(values.last(), 0, 'g', 4);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    bool ok = false;
    const int runs = arguments.isEmpty() ? 0 : arguments.takeFirst().toInt(&ok);
    if (!ok || runs < 1 || arguments.isEmpty()) {
        std::fputs("usage: bench_fresh_runs RUNS PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const QString program = arguments.takeFirst();
    arguments << QStringLiteral("--benchmark_format=json");

    Samples samples;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0 ||
            !collect(process.readAllStandardOutput(), samples)) {
            std::fprintf(stderr, "bench_fresh_runs: run %d of %s failed\n", run + 1, qPrintable(program));
            return 1;
        }
    }
    QTextStream out(stdout);
    for (auto benchmark = samples.cbegin(); benchmark != samples.cend(); ++benchmark) {
        out << benchmark.key() << '\n';
        for (auto counter = benchmark->cbegin(); counter != benchmark->cend(); ++counter)
            out << "  " << counter.key() << ": " << figure(*counter) << " (processes: " << counter->size()
                << ")\n";
    }
    return 0;
}
