// The interactions of the program on the three shipped cases, each beside its
// baseline in the same run, and the budgets the ratios must keep. Prints one
// table; exits 1 when a budget is missed or a check fails.

#include "PlainQtMeasurer.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "calc/CalcUnits.h"
#include "files/ClientFile.h"
#include "literal/LiteralListing.h"
#include "main/TfrmMain.h"
#include "messages/CollectingSink.h"
#include "output/FontStandIns.h"
#include "output/PrtSend.h"
#include "output/QtTextMeasurer.h"
#include "output/RtfMerge.h"
#include "screens/ControlKinds.h"
#include "screens/PageScreen.h"
#include "screens/ScreenFile.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUiLoader>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

using namespace kelvox;

namespace {

const char *const kCases[] = {"empty", "typical", "worst"};

QString CasePath(const std::string &name)
{
    if (name == "empty")
        return QStringLiteral(KELVOX_BENCH_PROGRAM_DIR "/default.kvx");
    return QStringLiteral(KELVOX_BENCH_CASES_DIR "/") + QString::fromStdString(name) + QStringLiteral(".kvx");
}

struct LoadedCase {
    std::unique_ptr<TAnswer> Store = std::make_unique<TAnswer>();
    WSchedList Worksheet;
};

LoadedCase ReadCase(const std::string &name)
{
    LoadedCase c;
    if (!OpenFile(CasePath(name).toStdString(), *c.Store, c.Worksheet)) {
        std::fprintf(stderr, "cannot read the %s case\n", name.c_str());
        std::exit(1);
    }
    return c;
}

// The whole pass in the program's order with the account listing walked as
// described.
void DescribedPass(TAnswer &a, const WSchedList &rows, const TextMeasurer &measurer)
{
    literal::Listing listing(a, rows, measurer);
    listing.CalcTtls();
    Calc0(a);
    Calc1(a);
    Calc2(a);
    Calc23(a);
    Calc3(a);
    for (int c = 0, n = std::clamp(a.NoOf18_2, 0, kCopies); c < n; ++c) {
        Calc4(a, c);
        Calc5(a, c);
    }
    for (int c = 0, n = std::clamp(a.NoOf18_3, 0, kCopies); c < n; ++c)
        Calc6(a, c);
    for (int c = 0, n = std::clamp(a.NoOf18_4, 0, kCopies); c < n; ++c)
        Calc7(a, c);
    Calc8(a);
    Calc9(a);
    Calc10(a);
    Calc11(a);
    for (int p = 0, n = a.NoOf18_9; p < n; ++p)
        listing.Calc12(p);
    Calc13(a);
    Calc15(a);
    Calc16(a);
    Calc17(a);
    Calc25(a);
    Calc26(a);
    Calc27(a);
    Calc20(a);
    Calc21(a);
    Calc22(a);
    for (int p = 0, n = a.NoOfWorksheet; p < n; ++p)
        listing.Calc24(p);
}

bool SameStore(const TAnswer &a, const TAnswer &b)
{
    if (a.NoOf18_2 != b.NoOf18_2 || a.NoOf18_3 != b.NoOf18_3 || a.NoOf18_4 != b.NoOf18_4 || a.NoOf18_9 != b.NoOf18_9 ||
        a.NoOfWorksheet != b.NoOfWorksheet || a.PgCt() != b.PgCt())
        return false;
    for (int type = 0; type < kPageTypes; ++type)
        for (int copy = 0; copy < kCopies; ++copy)
            for (int i = 0; i <= FieldsPerPage(type); ++i)
                if (a.Get(type, copy, i) != b.Get(type, copy, i) || a.OvRide(type, copy, i) != b.OvRide(type, copy, i))
                    return false;
    return true;
}

[[noreturn]] void Fail(const std::string &why)
{
    std::fprintf(stderr, "check failed: %s\n", why.c_str());
    std::exit(1);
}

// One main window for the whole run, as the program has one.
struct Window {
    QTemporaryDir Home;
    std::unique_ptr<TfrmMain> Main;

    Window()
    {
        TfrmMain::Environment environment;
        environment.ProgramFileFolder = QStringLiteral(KELVOX_BENCH_PROGRAM_DIR);
        environment.HomeFolder = Home.path();
        environment.ScreenSize = [] { return QSizeF(1366, 768); };
        Main = std::make_unique<TfrmMain>(environment);
        Main->show();
    }
    ~Window()
    {
        Main->state().CaseChanged = false;
        Main->close();
    }

    void Open(const std::string &name)
    {
        MainState &state = Main->state();
        state.CurrentPageType = -1;
        state.CurrentCopy = -1;
        LoadedCase c = ReadCase(name);
        state.Answers = std::move(c.Store);
        state.WSchedList = std::move(c.Worksheet);
    }
};

Window *g_window = nullptr;

void RegisterPass()
{
    for (const char *name : kCases) {
        benchmark::RegisterBenchmark((std::string("pass/") + name).c_str(), [name](benchmark::State &state) {
            LoadedCase c = ReadCase(name);
            QtTextMeasurer measurer; // the app's one measurer, kept from pass to pass
            c.Store->Calculate(c.Worksheet, measurer);
            for (auto _ : state) {
                c.Store->Calculate(c.Worksheet, measurer);
                benchmark::DoNotOptimize(c.Store->NoOf18_9);
            }
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("pass/worst/first", [](benchmark::State &state) {
        LoadedCase c = ReadCase("worst");
        for (auto _ : state) {
            QtTextMeasurer measurer; // nothing remembered from an earlier pass
            c.Store->Calculate(c.Worksheet, measurer);
            benchmark::DoNotOptimize(c.Store->NoOf18_9);
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("pass/worst/described_walk", [](benchmark::State &state) {
        LoadedCase c = ReadCase("worst");
        PlainQtMeasurer measurer;
        for (auto _ : state) {
            DescribedPass(*c.Store, c.Worksheet, measurer);
            benchmark::DoNotOptimize(c.Store->NoOf18_9);
        }
    })->Unit(benchmark::kMicrosecond);
}

void CheckPassesAgree()
{
    LoadedCase described = ReadCase("worst");
    LoadedCase program = ReadCase("worst");
    PlainQtMeasurer plain;
    QtTextMeasurer warm;
    DescribedPass(*described.Store, described.Worksheet, plain);
    program.Store->Calculate(program.Worksheet, warm);
    std::printf("worst case: %d listing pages, %d worksheet pages, %d notices; pass answers %s\n",
                program.Store->NoOf18_9, program.Store->NoOfWorksheet, program.Store->NoOf18_2,
                SameStore(*described.Store, *program.Store) ? "identical" : "DIFFERENT");
    if (!SameStore(*described.Store, *program.Store))
        Fail("the described walk and the program's pass differ");
    if (program.Store->NoOf18_9 != 24 || program.Store->NoOf18_2 != kCopies)
        Fail("the worst case does not fill 24 listing pages and every copy");
}

QLineEdit *GeneralInformationField()
{
    QWidget *panel = g_window->Main->pagePanel();
    for (QLineEdit *edit : panel->findChildren<QLineEdit *>())
        if (PageScreen::AnswerIndexOf(edit) == 1 && !edit->isReadOnly())
            return edit;
    Fail("General Information has no edit for the minor's name");
}

void RegisterFieldExit()
{
    for (const char *name : kCases) {
        benchmark::RegisterBenchmark((std::string("exit/") + name).c_str(), [name](benchmark::State &state) {
            g_window->Open(name);
            PageScreen &page = g_window->Main->page();
            page.ShowPage(0);
            QLineEdit *edit = GeneralInformationField();
            const int before = page.exitPasses();
            page.CalcOnExit(edit);
            for (auto _ : state)
                page.CalcOnExit(edit);
            if (page.exitPasses() == before)
                state.SkipWithError("the field exit did not run its pass");
        })->Unit(benchmark::kMicrosecond);
    }
}

QList<int> ScreenPageTypes()
{
    QList<int> types;
    const QDir screens(QStringLiteral(KELVOX_BENCH_PROGRAM_DIR "/PSF"));
    for (const QString &file : screens.entryList({QStringLiteral("page*.psf")}, QDir::Files, QDir::Name)) {
        const int type = file.mid(4, file.size() - 8).toInt();
        if (type != 14) // shown as copy 1 of the listing
            types.append(type);
    }
    std::sort(types.begin(), types.end());
    return types;
}

void RegisterPageLoad()
{
    for (const int type : ScreenPageTypes()) {
        const std::string page = "load/page" + std::to_string(type);
        benchmark::RegisterBenchmark(page.c_str(), [type](benchmark::State &state) {
            g_window->Open("typical");
            PageScreen &screen = g_window->Main->page();
            screen.ShowPage(type * 100);
            for (auto _ : state)
                screen.ShowPage(type * 100);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((page + "/bare_loader").c_str(), [type](benchmark::State &state) {
            const QString path = QDir(g_window->Main->state().ScreenFolder).filePath(ScreenFile::FileNameFor(type, 0));
            QUiLoader loader;
            for (auto _ : state) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    state.SkipWithError("cannot open the screen file");
                    break;
                }
                QWidget holder;
                for (const QByteArray &document : ScreenFile::SplitDocuments(file.readAll())) {
                    QBuffer buffer;
                    buffer.setData(document);
                    buffer.open(QIODevice::ReadOnly);
                    benchmark::DoNotOptimize(loader.load(&buffer, &holder));
                }
            }
        })->Unit(benchmark::kMicrosecond);
    }
}

FormSelection EveryForm()
{
    FormSelection all{};
    all.fill(true);
    return all;
}

void RegisterAssembly()
{
    const std::string templates = KELVOX_BENCH_PROGRAM_DIR "/RTF";
    const std::string data = KELVOX_BENCH_PROGRAM_DIR "/DAT";
    for (const char *name : {"typical", "worst"}) {
        benchmark::RegisterBenchmark((std::string("assemble/") + name).c_str(), [=](benchmark::State &state) {
            LoadedCase c = ReadCase(name);
            QtTextMeasurer measurer;
            c.Store->Calculate(c.Worksheet, measurer);
            std::size_t size = 0;
            for (auto _ : state) {
                RtfMerge merge(*c.Store, measurer, data);
                AssembleDocument(merge, EveryForm(), *c.Store, templates);
                size = merge.DocumentText().size();
            }
            state.counters["bytes"] = static_cast<double>(size);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("assemble/") + name + "/read_templates").c_str(), [=](benchmark::State
                                                                                                            &state) {
            LoadedCase c = ReadCase(name);
            QtTextMeasurer measurer;
            c.Store->Calculate(c.Worksheet, measurer);
            const auto pages = SelectedPages(EveryForm(), *c.Store);
            for (auto _ : state) {
                std::size_t read = 0;
                for (const PageCopy &p : pages) {
                    const std::string n = std::to_string(TemplateNumber(p.PageType, p.Copy));
                    for (const std::string &path : {FindFileIgnoringCase(templates, "PAGE" + n + ".RTF"),
                                                    FindFileIgnoringCase(data, "PAGE" + n + ".DAT")}) {
                        std::ifstream in(path, std::ios::binary);
                        std::ostringstream text;
                        text << in.rdbuf();
                        read += text.str().size();
                    }
                }
                benchmark::DoNotOptimize(read);
            }
        })->Unit(benchmark::kMicrosecond);
    }
}

void CheckAssembly()
{
    for (const char *name : {"typical", "worst"}) {
        LoadedCase c = ReadCase(name);
        QtTextMeasurer measurer;
        c.Store->Calculate(c.Worksheet, measurer);
        RtfMerge merge(*c.Store, measurer, KELVOX_BENCH_PROGRAM_DIR "/DAT");
        if (!AssembleDocument(merge, EveryForm(), *c.Store, KELVOX_BENCH_PROGRAM_DIR "/RTF") ||
            merge.DocumentText().find(c.Store->Get(0, 0, 1)) == std::string::npos)
            Fail(std::string("the ") + name + " document does not hold the minor's name");
        std::printf("%s document: %zu page copies, %zu bytes\n", name, SelectedPages(EveryForm(), *c.Store).size(),
                    merge.DocumentText().size());
    }
}

std::string ReadWhole(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RegisterClientFile(const QString &folder)
{
    const std::string target = QDir(folder).filePath(QStringLiteral("bench.kvx")).toStdString();
    const std::string source = CasePath("worst").toStdString();
    benchmark::RegisterBenchmark("file/worst/write", [=](benchmark::State &state) {
        LoadedCase c = ReadCase("worst");
        for (auto _ : state)
            SaveFile(target, *c.Store, c.Worksheet);
    })->Unit(benchmark::kMicrosecond);
    // The same bytes written the same safe way: temporary file, flush to disk, rename.
    benchmark::RegisterBenchmark("file/worst/write/bare_write", [=](benchmark::State &state) {
        const std::string bytes = ReadWhole(source);
        const std::string temporary = target + ".tmp";
        for (auto _ : state) {
            const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
                ::fsync(fd) != 0 || ::close(fd) != 0 || std::rename(temporary.c_str(), target.c_str()) != 0) {
                state.SkipWithError("cannot write the file");
                break;
            }
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("file/worst/read", [=](benchmark::State &state) {
        for (auto _ : state) {
            TAnswer store;
            WSchedList worksheet;
            benchmark::DoNotOptimize(OpenFile(source, store, worksheet));
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("file/worst/read/bare_read", [=](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(ReadWhole(source).size());
    })->Unit(benchmark::kMicrosecond);
}

void CheckClientFileRoundTrip(const QString &folder)
{
    const std::string path = QDir(folder).filePath(QStringLiteral("round.kvx")).toStdString();
    LoadedCase c = ReadCase("worst");
    SaveFile(path, *c.Store, c.Worksheet);
    LoadedCase back;
    if (!OpenFile(path, *back.Store, back.Worksheet) || !SameStore(*c.Store, *back.Store) ||
        back.Worksheet.Rows != c.Worksheet.Rows)
        Fail("the worst case does not read back as it was written");
}

class TableReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                errors.push_back(run.benchmark_name() + ": " + run.error_message);
            else
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times; // microseconds of CPU time per iteration
    std::vector<std::string> errors;
};

struct Row {
    std::string Figure, Baseline;
    double Budget; // largest allowed figure / baseline; 0: none
    bool Speedup;  // show baseline / figure
};

int PrintTable(const TableReporter &reporter)
{
    std::vector<Row> rows;
    for (const char *name : kCases)
        rows.push_back({std::string("pass/") + name, "pass/worst/described_walk",
                        std::string(name) == "worst" ? 1.0 / 20 : 0, true});
    rows.push_back({"pass/worst/first", "pass/worst/described_walk", 0, true});
    for (const char *name : kCases)
        rows.push_back({std::string("exit/") + name, "exit/empty", std::string(name) == "worst" ? 2.0 : 0, false});
    for (const int type : ScreenPageTypes()) {
        const std::string page = "load/page" + std::to_string(type);
        rows.push_back({page, page + "/bare_loader", 1.5, false});
    }
    for (const char *name : {"typical", "worst"})
        rows.push_back(
            {std::string("assemble/") + name, std::string("assemble/") + name + "/read_templates", 3.0, false});
    rows.push_back({"file/worst/write", "file/worst/write/bare_write", 0, false});
    rows.push_back({"file/worst/read", "file/worst/read/bare_read", 0, false});

    int missed = 0, shownRows = 0;
    std::printf("\n%-20s %12s  %-28s %12s %10s %12s  %s\n", "figure", "CPU us", "baseline", "CPU us", "ratio", "budget",
                "");
    for (const Row &row : rows) {
        const auto f = reporter.times.find(row.Figure);
        const auto b = reporter.times.find(row.Baseline);
        if (f == reporter.times.end() || b == reporter.times.end())
            continue; // filtered out
        ++shownRows;
        const double ratio = f->second / b->second;
        std::string budget = "-", verdict;
        if (row.Budget > 0) {
            char text[32];
            if (row.Speedup)
                std::snprintf(text, sizeof text, ">= %.0fx", 1.0 / row.Budget);
            else
                std::snprintf(text, sizeof text, "<= %.2f", row.Budget);
            budget = text;
            const bool met = ratio <= row.Budget;
            verdict = met ? "met" : "MISSED";
            missed += met ? 0 : 1;
        }
        char shown[32];
        if (row.Speedup)
            std::snprintf(shown, sizeof shown, "%.1fx", 1.0 / ratio);
        else
            std::snprintf(shown, sizeof shown, "%.2f", ratio);
        std::printf("%-20s %12.1f  %-28s %12.1f %10s %12s  %s\n", row.Figure.c_str(), f->second, row.Baseline.c_str(),
                    b->second, shown, budget.c_str(), verdict.c_str());
    }
    for (const std::string &error : reporter.errors)
        std::printf("error: %s\n", error.c_str());
    if (missed || !reporter.errors.empty()) {
        std::printf("%d budget(s) missed, %zu error(s)\n", missed, reporter.errors.size());
        return 1;
    }
    std::printf(shownRows ? "every budget met\n" : "no figure measured\n");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FontStandIns::Install();
    benchmark::Initialize(&argc, argv);
    // The cases raise no message; one that does would open a dialog in the program.
    CollectingSink sink;
    QTemporaryDir scratch;

    // Under a profiler the checks would cost more than what is profiled.
    if (qEnvironmentVariableIsEmpty("KELVOX_BENCH_NO_CHECKS")) {
        CheckPassesAgree();
        CheckAssembly();
        CheckClientFileRoundTrip(scratch.path());
    }

    Window window;
    g_window = &window;
    RegisterPass();
    RegisterFieldExit();
    RegisterPageLoad();
    RegisterAssembly();
    RegisterClientFile(scratch.path());

    TableReporter reporter;
    // The table goes to the standard output, the runs as they finish to the error output.
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    int result = PrintTable(reporter);
    for (const auto &message : sink.Messages()) {
        std::printf("message %d raised during the run\n", message.Code);
        result = 1;
    }
    benchmark::Shutdown();
    return result;
}
