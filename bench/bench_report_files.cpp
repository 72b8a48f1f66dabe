#include "bench/Seconds.h"
#include "report/ReportFile.h"
#include "report/ScheduleReport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

// Units of the sizes a university has: small offices, large departments, a whole faculty's teaching staff.
constexpr int unitSizes[] = {10, 800, 5000};

ReportLine generatedLine(int index)
{
    ReportLine line;
    line.post =
        QStringLiteral("Должность %1 (по совместительству, на условиях почасовой оплаты)").arg(index % 97);
    line.category = index % 3 == 0 ? QStringLiteral("ППС") : QStringLiteral("УВП");
    line.payGrade = QString::number(index % 18 + 1);
    line.units = (index % 4 + 1) * 0.25;
    if (index % 11 != 0) {
        line.salary = Money::fromKopecks(1500000 + (index % 18) * 123456);
        line.monthlyTotal = line.salary->times(line.units);
    }
    line.hourlyFund = index % 5 == 0 ? QVariant(250.5) : QVariant();
    line.funding = QStringLiteral("Федеральный бюджет");
    line.orderNumber = QStringLiteral("%1-к").arg(index);
    line.orderDate = QDate(2020, 1, 1).addDays(index % 1500);
    line.note =
        index % 7 == 0 ? QStringLiteral("Временно, на период отпуска по уходу за ребёнком") : QString();
    return line;
}

// A report of `lineCount` lines in units whose sizes go round unitSizes.
ScheduleReport generatedReport(int lineCount)
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2025, 1, 1);
    report.details.documentNumber = QStringLiteral("17");
    report.details.compiledOn = QDate(2024, 12, 20);
    report.details.periodFrom = QDate(2025, 1, 1);
    report.details.periodTo = QDate(2025, 12, 31);
    report.requisites.okpo = QStringLiteral("02069036");
    for (int made = 0, unit = 0; made < lineCount; ++unit) {
        ReportGroup group;
        group.unit = QStringLiteral("Факультет %1 / Кафедра %2").arg(unit / 5 + 1).arg(unit + 1);
        group.code = QStringLiteral("%1.%2").arg(unit / 5 + 1).arg(unit + 1);
        const int size = std::min(unitSizes[unit % std::size(unitSizes)], lineCount - made);
        for (int i = 0; i < size; ++i, ++made) {
            ReportLine line = generatedLine(made);
            group.units += line.units;
            if (line.monthlyTotal)
                group.monthlyTotal += *line.monthlyTotal;
            else
                ++report.linesWithoutSalary;
            group.lines.append(std::move(line));
        }
        report.totalUnits += group.units;
        report.monthlyTotal += group.monthlyTotal;
        report.lineCount += size;
        report.groups.append(std::move(group));
    }
    return report;
}

double writingSeconds(const ScheduleReport& report, const QTemporaryDir& folder, const QString& extension)
{
    const QString path = folder.filePath(QStringLiteral("report.") + extension);
    return secondsOf([&] { writeReport(report, path); });
}

// A file the officer asks for against the HTML page of the same lines, written alternately in the same run.
void fileAgainstHtml(benchmark::State& state, const QString& extension)
{
    const ScheduleReport report = generatedReport(int(state.range(0)));
    const QTemporaryDir folder;
    writingSeconds(report, folder, extension);
    writingSeconds(report, folder, QStringLiteral("html"));
    double fileSeconds = 0;
    double htmlSeconds = 0;
    for (auto _ : state) {
        const double file = writingSeconds(report, folder, extension);
        htmlSeconds += writingSeconds(report, folder, QStringLiteral("html"));
        fileSeconds += file;
        state.SetIterationTime(file);
    }
    state.counters["ratio_to_html"] = fileSeconds / htmlSeconds;
}

void BM_PdfAgainstHtml(benchmark::State& state)
{
    fileAgainstHtml(state, QStringLiteral("pdf"));
}

void BM_XlsxAgainstHtml(benchmark::State& state)
{
    fileAgainstHtml(state, QStringLiteral("xlsx"));
}

// How the PDF's cost grows: 16 times the lines should cost at most 20 times the time.
void BM_PdfGrowth(benchmark::State& state)
{
    const ScheduleReport small = generatedReport(1000);
    const ScheduleReport large = generatedReport(16000);
    const QTemporaryDir folder;
    writingSeconds(small, folder, QStringLiteral("pdf"));
    double smallSeconds = 0;
    double largeSeconds = 0;
    for (auto _ : state) {
        smallSeconds += writingSeconds(small, folder, QStringLiteral("pdf"));
        const double seconds = writingSeconds(large, folder, QStringLiteral("pdf"));
        largeSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["growth_16x_lines"] = largeSeconds / smallSeconds;
}

} // namespace

BENCHMARK(BM_PdfAgainstHtml)
    ->Arg(1000)
    ->Arg(16000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxAgainstHtml)
    ->Arg(1000)
    ->Arg(16000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfGrowth)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
