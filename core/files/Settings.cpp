#include "files/Settings.h"

#include "files/TextLines.h"
#include "misc/Misc.h"

#include <istream>
#include <ostream>

namespace kelvox {

namespace {

void ReadININamed(std::istream &in, const std::string &name, ProgramSettings &settings)
{
    TextLineReader reader(in, name);
    for (std::string *folder : {&settings.Paths.ClientFileFolder, &settings.Paths.TemplateFolder,
                                &settings.Paths.PtfFolder, &settings.Paths.ScreenFolder}) {
        std::string line = reader.Line();
        if (!line.empty())
            *folder = std::move(line);
    }
    settings.WordProcessorName = reader.Line();
    const int count = reader.Integer("recent file count");
    for (int i = 0; i < count; ++i) {
        std::string path = reader.Line();
        if (reader.AtEnd())
            break;
        settings.RecentFiles.push_back(std::move(path));
    }
}

} // namespace

std::string SettingsFilePath(const Folders &folders)
{
    return AddPathSeparator(folders.SettingsFolder) + kSettingsFileName;
}

void ReadINI(std::istream &in, ProgramSettings &settings)
{
    ReadININamed(in, "settings file", settings);
}

void WriteINI(std::ostream &out, const ProgramSettings &settings)
{
    TextLineWriter writer(out);
    writer.Line(settings.Paths.ClientFileFolder);
    writer.Line(settings.Paths.TemplateFolder);
    writer.Line(settings.Paths.PtfFolder);
    writer.Line(settings.Paths.ScreenFolder);
    writer.Line(settings.WordProcessorName);
    writer.Line(static_cast<int>(settings.RecentFiles.size()));
    for (const std::string &path : settings.RecentFiles)
        writer.Line(path);
}

void ReadINI(const std::string &path, ProgramSettings &settings)
{
    std::ifstream in = OpenForReading(path);
    ReadININamed(in, path, settings);
}

void WriteINI(const std::string &path, const ProgramSettings &settings)
{
    ReplaceFile(path, [&](std::ostream &out) { WriteINI(out, settings); });
}

} // namespace kelvox
