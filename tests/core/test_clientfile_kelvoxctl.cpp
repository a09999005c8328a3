#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "messages/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelvox;
namespace fs = std::filesystem;

namespace {

struct CtlRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string Quoted(const std::string &arg)
{
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KelvoxctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kelvoxctl-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
#if !defined(KELVOX_HAVE_KELVOXCTL)
        GTEST_SKIP() << "kelvoxctl is not part of this build";
#endif
        ASSERT_TRUE(fs::exists(Program())) << "kelvoxctl is not built: " << Program();
    }
    void TearDown() override
    {
        fs::remove_all(m_dir);
    }

    static fs::path Program()
    {
        return fs::path(KELVOX_PROGRAM_DIR) / "kelvoxctl";
    }
    std::string In(const std::string &name) const
    {
        return (m_dir / name).string();
    }

    CtlRun Kelvoxctl(const std::vector<std::string> &args) const
    {
        std::string command = Quoted(Program().string());
        for (const auto &arg : args)
            command += " " + Quoted(arg);
        command += " 2>" + Quoted(In("stderr.txt"));
        CtlRun run;
        FILE *pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.Out.append(buffer, n);
        const int status = ::pclose(pipe);
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Err = Slurp(In("stderr.txt"));
        return run;
    }

    fs::path m_dir;
};

} // namespace

TEST_F(KelvoxctlTest, NewSetShowAndInfo)
{
    const CtlRun created = Kelvoxctl({"new", "-o", In("new.kvx")});
    ASSERT_EQ(created.Status, 0) << created.Err;
    EXPECT_EQ(Slurp(In("new.kvx")), Slurp(fs::path(KELVOX_PROGRAM_DIR) / "default.kvx"));

    const CtlRun set = Kelvoxctl({"set", In("new.kvx"), "0:0:5=  Zoë Doe ", "3:0:7!=overridden",
                                  "3:0:8!=", "count:18_3=2", "6:1:4=Consent = yes", "count:18_2=3", "ws:2:4=12.50",
                                  "ws:0:0=Dr. A | Dayton", "-o", In("set.kvx")});
    ASSERT_EQ(set.Status, 0) << set.Err;

    TAnswer store;
    WSchedList worksheet;
    ASSERT_TRUE(OpenFile(In("set.kvx"), store, worksheet));
    EXPECT_EQ(store.Get(0, 0, 5), "  Zoë Doe ");
    EXPECT_TRUE(store.OvRide(3, 0, 7));
    EXPECT_FALSE(store.OvRide(0, 0, 5));
    EXPECT_EQ(store.NoOf18_2, 3);
    EXPECT_EQ(store.PgCt()[4], 3);
    EXPECT_EQ(store.PgCt()[5], 3);
    EXPECT_EQ(store.PgCt()[6], 2);
    ASSERT_EQ(worksheet.RowCount(), 3);

    EXPECT_EQ(Kelvoxctl({"show", In("set.kvx"), "0", "5", "6"}).Out, "0:0:5\t0\t  Zoë Doe \n0:0:6\t0\t\n");
    EXPECT_EQ(Kelvoxctl({"show", In("set.kvx"), "3:0"}).Out, "3:0:7\t1\toverridden\n3:0:8\t1\t\n");
    EXPECT_EQ(Kelvoxctl({"show", In("set.kvx")}).Out,
              "0:0:5\t0\t  Zoë Doe \n0:0:12\t0\tOhio\n0:0:31\t0\tOhio\n3:0:7\t1\toverridden\n3:0:8\t1\t\n"
              "6:1:4\t0\tConsent = yes\n");
    EXPECT_EQ(Kelvoxctl({"show", In("set.kvx"), "ws"}).Out, "Dr. A | Dayton\t\t\t\t\n\t\t\t\t\n\t\t\t\t12.50\n");

    const CtlRun info = Kelvoxctl({"info", In("set.kvx")});
    ASSERT_EQ(info.Status, 0);
    EXPECT_EQ(info.Out.substr(0, info.Out.find("PgCt")), "NoOf18_2\t3\nNoOf18_3\t2\nNoOf18_4\t0\nNoOf18_9\t0\n"
                                                         "NoOfWorksheet\t0\n");
    EXPECT_NE(info.Out.find("PgCt[5]\t3\nPgCt[6]\t2\nPgCt[7]\t0\n"), std::string::npos);
    EXPECT_NE(info.Out.find("PgCt[34]\t0\n"), std::string::npos);
}

TEST_F(KelvoxctlTest, CalcWritesTheCalculatedCase)
{
    ASSERT_EQ(Kelvoxctl({"set", (fs::path(KELVOX_PROGRAM_DIR) / "default.kvx").string(), "0:0:5=Ann Roe",
                         "ws:0:3=10.00", "-o", In("case.kvx")})
                  .Status,
              0);
    const CtlRun calc = Kelvoxctl({"calc", In("case.kvx"), "-o", In("calc.kvx")});
    ASSERT_EQ(calc.Status, 0) << calc.Err;
    TAnswer store;
    WSchedList worksheet;
    ASSERT_TRUE(OpenFile(In("calc.kvx"), store, worksheet));
    EXPECT_EQ(store.Get(0, 0, 5), "Ann Roe");
    EXPECT_EQ(Kelvoxctl({"show", "--calc", In("case.kvx"), "0", "5"}).Out, "0:0:5\t0\tAnn Roe\n");
}

TEST_F(KelvoxctlTest, MessageCommandPrintsBothTexts)
{
    const CtlRun run = Kelvoxctl({"message", "11070", "Form 18.2"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "1107-Error in New Form routine - Form 18.2\n\n");
    for (const std::uint16_t code : {33013, 65535}) {
        const ComposedMessage m = ComposeMessage(code, "");
        EXPECT_EQ(Kelvoxctl({"message", std::to_string(code)}).Out, m.First + "\n" + m.Second + "\n");
    }
}

TEST_F(KelvoxctlTest, ExitStatusTellsUsageErrorsFromUnreadableFiles)
{
    ASSERT_EQ(Kelvoxctl({"new", "-o", In("ok.kvx")}).Status, 0);
    std::ofstream(In("bad.kvx"), std::ios::binary) << "Kelvox Demo\r\n5.0\r\n";
    std::string flag = Slurp(In("ok.kvx"));
    flag.replace(flag.find("\r\n0\r\n", 200), 5, "\r\nx\r\n"); // the first flag line
    std::ofstream(In("flag.kvx"), std::ios::binary) << flag;

    struct Case {
        std::vector<std::string> Args;
        int Status;
        const char *InStderr;
    };
    const std::vector<Case> cases = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"show"}, 2, "usage: kelvoxctl show"},
        {{"show", In("ok.kvx"), "35"}, 2, "page type"},
        {{"show", In("ok.kvx"), "3", "101"}, 2, "answer index"},
        {{"show", In("ok.kvx"), "4:25"}, 2, "copy"},
        {{"set", In("ok.kvx"), "0:0:5=x"}, 2, "-o"},
        {{"set", In("ok.kvx"), "0:0=x", "-o", In("out.kvx")}, 2, "TYPE:COPY:INDEX"},
        {{"set", In("ok.kvx"), "count:18_5=1", "-o", In("out.kvx")}, 2, "18_2"},
        {{"set", In("ok.kvx"), "count:18_2=26", "-o", In("out.kvx")}, 2, "0 to 25"},
        {{"set", In("ok.kvx"), "ws:0:5=x", "-o", In("out.kvx")}, 2, "column"},
        {{"message", "seventy"}, 2, "code"},
        {{"show", In("missing.kvx")}, 1, "missing.kvx"},
        {{"show", In("bad.kvx")}, 1, "message 33020: 3302"},
        {{"info", In("flag.kvx")}, 1, "flag line"},
        {{"set", In("ok.kvx"), "0:0:5=x", "-o", In("no-folder/out.kvx")}, 1, "out.kvx"},
    };
    for (const Case &c : cases) {
        std::string name;
        for (const auto &a : c.Args)
            name += a + " ";
        SCOPED_TRACE(name);
        const CtlRun run = Kelvoxctl(c.Args);
        EXPECT_EQ(run.Status, c.Status);
        EXPECT_NE(run.Err.find(c.InStderr), std::string::npos) << run.Err;
    }
    EXPECT_FALSE(fs::exists(In("out.kvx")));
}

TEST_F(KelvoxctlTest, PrintAssemblesTheChosenFormsAfterThePass)
{
    ASSERT_EQ(Kelvoxctl({"new", "-o", In("new.kvx")}).Status, 0);
    ASSERT_EQ(Kelvoxctl({"set", In("new.kvx"), "0:0:4=2026-ADP-7",
                         "0:0:5=Ren\xC3\xA9"
                         "e",
                         "count:18_2=2", "-o", In("case.kvx")})
                  .Status,
              0);
    const CtlRun run = Kelvoxctl({"print", In("case.kvx"), "--forms", "hea2757,18.2", "-o", In("out.rtf")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "4:0\tPAGE4.RTF\n5:0\tPAGE5.RTF\n4:1\tPAGE4.RTF\n5:1\tPAGE5.RTF\n22:0\tPAGE22.RTF\n");
    const std::string rtf = Slurp(In("out.rtf"));
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("2026-ADP-7"), std::string::npos) << "the pass carried the case number into the forms";
    EXPECT_NE(rtf.find("Ren\\u233?e"), std::string::npos);
    EXPECT_EQ(fs::status(In("out.rtf")).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    for (const auto &args : std::vector<std::vector<std::string>>{
             {"print", In("case.kvx"), "--forms", "18.2,20.1", "-o", In("bad.rtf")},
             {"print", In("case.kvx"), "--forms", "", "-o", In("bad.rtf")},
             {"print", In("case.kvx"), "-o", In("bad.rtf")},
         }) {
        EXPECT_EQ(Kelvoxctl(args).Status, 2);
    }
    EXPECT_FALSE(fs::exists(In("bad.rtf")));
}

TEST_F(KelvoxctlTest, PrintToPdfThroughLibreOffice)
{
    ASSERT_EQ(Kelvoxctl({"new", "-o", In("new.kvx")}).Status, 0);
    ASSERT_EQ(Kelvoxctl({"set", In("new.kvx"), "0:0:4=2026-ADP-9", "-o", In("case.kvx")}).Status, 0);

    // Without LibreOffice on the PATH: a clear failure and no file.
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", m_dir.c_str(), 1);
    const CtlRun missing = Kelvoxctl({"print", In("case.kvx"), "--forms", "18.0", "--pdf", In("none.pdf")});
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("LibreOffice is not installed"), std::string::npos) << missing.Err;
    EXPECT_FALSE(fs::exists(In("none.pdf")));

    const CtlRun run = Kelvoxctl({"print", In("case.kvx"), "--forms", "18.0", "--pdf", In("out.pdf")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(fs::status(In("out.pdf")).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    std::string text;
    if (FILE *pipe = ::popen(("pdftotext " + Quoted(In("out.pdf")) + " -").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    EXPECT_NE(text.find("PETITION FOR ADOPTION OF MINOR"), std::string::npos) << text;
    EXPECT_NE(text.find("2026-ADP-9"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3) << "one page per template of form 18.0";
}
