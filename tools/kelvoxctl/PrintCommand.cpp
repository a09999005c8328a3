#include "Command.h"
#include "Support.h"

#include "misc/Misc.h"
#include "output/PdfConverter.h"
#include "output/PrtSend.h"
#include "output/RtfMerge.h"
#include "output/WorkFile.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace kelvoxctl {

namespace {

kelvox::FormSelection ParseForms(const std::string &list)
{
    kelvox::FormSelection ticked{};
    if (list == "all") {
        ticked.fill(true);
        return ticked;
    }
    std::istringstream in(list);
    for (std::string name; std::getline(in, name, ',');) {
        const int form = kelvox::FindForm(name);
        if (form < 0)
            throw UsageError("no form is named \"" + name + "\"");
        ticked[static_cast<size_t>(form)] = true;
    }
    return ticked;
}

} // namespace

// Assembles the document the print dialog would send, after the pass, and
// lists its pages on standard output. With --pdf, LibreOffice converts it.
int RunPrint(Arguments &args)
{
    const auto forms = args.TakeOption("--forms");
    const auto out = args.TakeOption("-o");
    const auto pdf = args.TakeOption("--pdf");
    const auto positional = args.Positional();
    if (positional.size() != 1 || !forms || (!out && !pdf))
        throw UsageError("print takes one client file, --forms and -o or --pdf");
    const kelvox::FormSelection ticked = ParseForms(*forms);
    if (std::none_of(ticked.begin(), ticked.end(), [](bool t) { return t; }))
        throw UsageError("no form is named");

    const auto c = LoadCase(positional[0]);
    c->Store.Calculate(c->Worksheet, Measurer());
    const std::string program = ProgramFolder();
    const std::string templates = kelvox::AddPathSeparator(program) + "RTF";
    kelvox::RtfMerge merge(c->Store, Measurer(), kelvox::AddPathSeparator(program) + "DAT");
    const auto pages = kelvox::SelectedPages(ticked, c->Store);
    if (!kelvox::AssembleDocument(merge, ticked, c->Store, templates)) {
        std::cerr << "kelvoxctl print: the forms chosen have no pages in this case\n";
        return ExitFileFailure;
    }
    QTemporaryDir scratch;
    std::string workFile;
    if (out) {
        workFile = *out;
    } else {
        if (!scratch.isValid()) {
            std::cerr << "kelvoxctl print: no temporary folder for the work file\n";
            return ExitFileFailure;
        }
        workFile = QDir(scratch.path()).filePath(QStringLiteral("send_temp.rtf")).toStdString();
    }
    kelvox::SaveWorkFile(workFile, merge.DocumentText());
    if (pdf) {
        PdfConverter converter;
        if (converter.Convert(QString::fromStdString(workFile), QString::fromStdString(*pdf)) !=
            PdfConverter::Result::Done) {
            std::cerr << "kelvoxctl print: " << converter.ErrorText().toStdString() << '\n';
            return ExitFileFailure;
        }
    }
    for (const kelvox::PageCopy &p : pages)
        std::cout << p.PageType << ':' << p.Copy << "\tPAGE" << kelvox::TemplateNumber(p.PageType, p.Copy) << ".RTF\n";
    return ExitOk;
}

} // namespace kelvoxctl
