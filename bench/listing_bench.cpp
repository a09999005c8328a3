// The account listing and worksheet print-out of a worksheet that fills 24
// listing pages, laid out by the described walk and by the program, side by
// side. Both must give the same answers; the run stops when they do not.

#include "BenchRows.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "calc/AccountListing.h"
#include "literal/LiteralListing.h"
#include "messages/CollectingSink.h"
#include "output/DeterministicMeasurer.h"

#ifdef KELVOX_BENCH_QT
#include "PlainQtMeasurer.h"
#include "output/FontStandIns.h"
#include "output/QtTextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#endif

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace kelvox;

namespace {

void ProgramPass(TAnswer &answers, const WSchedList &rows, const TextMeasurer &measurer)
{
    AccountListing listing(answers, rows, measurer);
    listing.CalcTtls();
    for (int p = 0, n = answers.NoOf18_9; p < n; ++p)
        listing.Calc12(p);
    for (int p = 0, n = answers.NoOfWorksheet; p < n; ++p)
        listing.Calc24(p);
}

void LiteralPass(TAnswer &answers, const WSchedList &rows, const TextMeasurer &measurer)
{
    literal::Listing(answers, rows, measurer).Pass();
}

// As many typical rows as 24 listing pages hold under this measurer.
WSchedList WorstCase(const TextMeasurer &measurer)
{
    return bench::RowsFillingListingPages(24, measurer);
}

bool SameAnswers(const TAnswer &a, const TAnswer &b)
{
    if (a.NoOf18_9 != b.NoOf18_9 || a.NoOfWorksheet != b.NoOfWorksheet || a.PgCt() != b.PgCt())
        return false;
    for (int type : {12, 24})
        for (int copy = 0; copy < kCopies; ++copy)
            for (int i = 0; i <= FieldsPerPage(type); ++i)
                if (a.Get(type, copy, i) != b.Get(type, copy, i))
                    return false;
    return true;
}

void CheckIdentical(const char *what, const WSchedList &rows, const TextMeasurer &literalMeasurer,
                    const TextMeasurer &programMeasurer)
{
    CollectingSink sink;
    TAnswer literal, program;
    LiteralPass(literal, rows, literalMeasurer);
    ProgramPass(program, rows, programMeasurer);
    std::printf("%s: %d rows, %d listing pages, %d worksheet pages, answers %s\n", what, rows.RowCount(),
                program.NoOf18_9, program.NoOfWorksheet, SameAnswers(literal, program) ? "identical" : "DIFFERENT");
    if (!SameAnswers(literal, program) || program.NoOf18_9 != 24)
        std::exit(1);
}

template <typename Pass, typename MakeMeasurer>
void Register(const std::string &name, const WSchedList *rows, Pass pass, MakeMeasurer makeMeasurer)
{
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State &state) {
        CollectingSink sink;
        auto measurer = makeMeasurer();
        // One store for every pass, as in the program; the first pass grows its copies.
        TAnswer answers;
        pass(answers, *rows, *measurer());
        for (auto _ : state) {
            pass(answers, *rows, *measurer());
            benchmark::DoNotOptimize(answers.NoOf18_9);
        }
    })->Unit(benchmark::kMillisecond);
}

// Keeps each run's time so that the ratios can be printed after the table.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
#ifdef KELVOX_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    FontStandIns::Install();
    std::printf("Segoe UI is drawn with %s\n", qPrintable(FontStandIns::Resolved(QStringLiteral("Segoe UI"))));
#endif
    benchmark::Initialize(&argc, argv);

    DeterministicMeasurer deterministic;
    deterministic.SetUnits(U' ', 2.5);
    deterministic.SetUnits(U'i', 2.25);
    deterministic.SetUnits(U'M', 9.5);
    const WSchedList fixedRows = WorstCase(deterministic);
    CheckIdentical("deterministic measurer", fixedRows, deterministic, deterministic);
    auto fixed = [&deterministic] { return [&deterministic] { return &deterministic; }; };
    Register("deterministic/described_walk", &fixedRows, LiteralPass, fixed);
    Register("deterministic/program", &fixedRows, ProgramPass, fixed);

#ifdef KELVOX_BENCH_QT
    static PlainQtMeasurer plain;
    static QtTextMeasurer warm;
    static const WSchedList qtRows = WorstCase(QtTextMeasurer());
    CheckIdentical("Qt measurer", qtRows, plain, warm);
    Register("qt/described_walk", &qtRows, LiteralPass, [] { return [] { return &plain; }; });
    // The described walk with the program's measurer, which remembers widths
    // within the pass: what the walk itself costs beside the measuring.
    Register("qt/described_walk_program_measurer", &qtRows, LiteralPass, [] {
        return [holder = std::make_shared<std::unique_ptr<QtTextMeasurer>>()]() -> const TextMeasurer * {
            *holder = std::make_unique<QtTextMeasurer>();
            return holder->get();
        };
    });
    // A measurer of its own for every pass: nothing remembered between passes.
    Register("qt/program_first_pass", &qtRows, ProgramPass, [] {
        return [holder = std::make_shared<std::unique_ptr<QtTextMeasurer>>()]() -> const TextMeasurer * {
            *holder = std::make_unique<QtTextMeasurer>();
            return holder->get();
        };
    });
    // The app's one measurer, which keeps its widths from pass to pass.
    Register("qt/program_later_pass", &qtRows, ProgramPass, [] { return [] { return &warm; }; });
#endif

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char *literal, const char *program) {
        if (reporter.times.count(literal) && reporter.times.count(program))
            std::printf("%-22s %7.1f times less CPU time than %s\n", program,
                        reporter.times[literal] / reporter.times[program], literal);
    };
    ratio("deterministic/described_walk", "deterministic/program");
    ratio("qt/described_walk", "qt/program_first_pass");
    ratio("qt/described_walk", "qt/program_later_pass");
    ratio("qt/described_walk_program_measurer", "qt/program_first_pass");
    benchmark::Shutdown();
    return 0;
}
