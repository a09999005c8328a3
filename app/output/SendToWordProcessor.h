#pragma once

#include "output/TfrmSelectedForms.h"

#include <QString>

#include <functional>

class QWidget;

namespace kelvox {
class TAnswer;
class TextMeasurer;
} // namespace kelvox

struct RtfOpener;

struct PrintFolders final {
    QString templateFolder;
    QString dataFolder;
    QString settingsFolder;
    // Where the PDF export's chooser starts.
    QString pdfSuggestion = QString();
};

// The print command: the dialog, the pass (`recalcAndRefresh`: store the page on
// the screen, run the pass, refresh it), the assembly, the work file, then what
// the dialog was confirmed with: the word processor, a PDF export or the
// preview. `start` is the dialog's default button. Returns the work file
// written; empty when the dialog was closed or no form was ticked. A template
// that cannot be read, or a work file that cannot be written, throws: nothing
// is launched then.
QString SendToWordProcessor(QWidget *parent, kelvox::TAnswer &answers, const kelvox::TextMeasurer &measurer,
                            const PrintFolders &folders, bool wordFound, bool &forceWord,
                            const std::function<void()> &recalcAndRefresh,
                            TfrmSelectedForms::Action start = TfrmSelectedForms::Action::Send);

// Merges the ticked forms into the work file in the settings folder and
// returns its name.
QString AssembleWorkFile(kelvox::TAnswer &answers, const kelvox::TextMeasurer &measurer, const PrintFolders &folders,
                         const kelvox::FormSelection &ticked);

// Starts MS Word (`useWord`), WordPad, TextEdit or the RTF opener on the work
// file; message 1155 when it cannot be started.
void LaunchWordProcessor(const QString &workFile, const QString &settingsFolder, bool useWord,
                         TfrmSelectedForms::Host host, const RtfOpener &opener);
