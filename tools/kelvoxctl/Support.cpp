#include "Support.h"

#include "Command.h"

#include "files/ClientFile.h"
#include "files/Folders.h"
#include "output/FontStandIns.h"
#include "output/QtTextMeasurer.h"

#include <QGuiApplication>

#include <charconv>
#include <iostream>

namespace kelvoxctl {

std::unique_ptr<Case> LoadCase(const std::string &path)
{
    auto c = std::make_unique<Case>();
    if (!kelvox::OpenFile(path, c->Store, c->Worksheet)) {
        if (c->Store.ErrFlag)
            throw ReadFailure(path + ": a page could not be read (a flag line is not a number)");
        throw ReadFailure(path + " is not a Kelvox client file");
    }
    return c;
}

void SaveCase(const std::string &path, const Case &c)
{
    kelvox::SaveFile(path, c.Store, c.Worksheet);
}

std::string ProgramFolder()
{
    return kelvox::ProgramFolderFor(kelvox::ExecutableFolder(), kelvox::HomeFolder());
}

namespace {

struct QtSession {
    int argc = 1;
    char name[10] = "kelvoxctl";
    char *argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<QtTextMeasurer> measurer;
};
std::unique_ptr<QtSession> g_qt;

// Qt's warnings about the desktop session are noise on the command line.
void QuietQt(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kelvoxctl: " << text.toStdString() << '\n';
}

} // namespace

const kelvox::TextMeasurer &Measurer()
{
    if (!g_qt) {
        g_qt = std::make_unique<QtSession>();
        qInstallMessageHandler(QuietQt);
        if (!QGuiApplication::instance()) {
            if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            g_qt->app = std::make_unique<QGuiApplication>(g_qt->argc, g_qt->argv);
        }
        FontStandIns::Install();
        g_qt->measurer = std::make_unique<QtTextMeasurer>();
    }
    return *g_qt->measurer;
}

void EndQt()
{
    if (g_qt) {
        g_qt->measurer.reset();
        g_qt->app.reset();
        g_qt.reset();
    }
}

int ParseInt(const std::string &text, int low, int high, const std::string &what)
{
    int value = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high)
        throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                         ", not \"" + text + "\"");
    return value;
}

AnswerAddress ParseAnswerAddress(const std::string &text)
{
    const size_t first = text.find(':');
    const size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos)
        throw UsageError("\"" + text + "\" is not TYPE:COPY:INDEX");
    AnswerAddress a;
    a.Type = ParseInt(text.substr(0, first), 0, kelvox::kPageTypes - 1, "the page type");
    a.Copy = ParseInt(text.substr(first + 1, second - first - 1), 0, kelvox::kCopies - 1, "the copy");
    a.Index = ParseInt(text.substr(second + 1), 0, kelvox::FieldsPerPage(a.Type), "the answer index");
    return a;
}

bool Arguments::TakeFlag(const std::string &flag)
{
    for (auto it = m_args.begin(); it != m_args.end(); ++it)
        if (*it == flag) {
            m_args.erase(it);
            return true;
        }
    return false;
}

std::optional<std::string> Arguments::TakeOption(const std::string &option)
{
    for (auto it = m_args.begin(); it != m_args.end(); ++it)
        if (*it == option) {
            if (it + 1 == m_args.end())
                throw UsageError(option + " needs a value");
            std::string value = *(it + 1);
            m_args.erase(it, it + 2);
            return value;
        }
    return std::nullopt;
}

std::vector<std::string> Arguments::Positional() const
{
    for (const std::string &arg : m_args)
        if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9'))
            throw UsageError("unknown option " + arg);
    return m_args;
}

} // namespace kelvoxctl
