#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvox {

class TAnswer;
class TextMeasurer;

// Escapes an answer for RTF body text: "\", "{" and "}" become control symbols
// and every character above 127 becomes "\uN?", so the result is pure ASCII
// and can never open a group, a field or a control word.
std::string RtfEscape(const std::string &utf8);

// Template number of a page copy: the continuation pages of the Form 18.9
// account (page type 12, copies 1 and above) have their own template.
int TemplateNumber(int pageType, int copy);

// Finds a file in a folder; when the exact name is missing, a name that
// differs only in letter case serves. Empty when neither exists.
std::string FindFileIgnoringCase(const std::string &folder, const std::string &name);

// The merge of page templates with the answers of a case, and the joining of
// merged pages into one document. Positions in the page text count from 0.
// A template or page data file that cannot be opened, and a variable beyond
// its page's answers, throw std::runtime_error: the assembly stops there.
class RtfMerge final {
public:
    RtfMerge(const TAnswer &answers, const TextMeasurer &measurer, std::string dataFolder);

    // Check boxes as Wingdings glyphs (where the font is sure to exist) or as
    // the Unicode ballot boxes, which every RTF reader prints.
    bool UseWingdings;

    void StartDocument(const std::string &templateFolder, int templateNumber);
    void AppendPage(int pageType, int copy, const std::string &templateFolder);
    void TransferDocument(int pageType, int copy);
    void TransferAnswers(int pageType, int copy, const std::vector<double> &widths);
    // Replaces the variable of `length` characters at `position` by the printed
    // answer and returns the length of what it inserted.
    std::size_t InsertString(int pageType, int copy, int field, char marker, double width, std::size_t position,
                             std::size_t length);
    std::string FindWingdingsFont() const;
    void TrackFontSize(std::size_t position);
    int GetNumFromText(std::size_t position);
    void StripTemplateHeader();

    void ClearWorkList() { m_workList.clear(); }
    const std::vector<std::string> &WorkList() const { return m_workList; }
    std::string WorkListText() const;
    void SetWorkListText(const std::string &text);
    void LoadIntoWorkList(const std::string &path);

    const std::string &PageText() const { return m_pageText; }
    void SetPageText(std::string text) { m_pageText = std::move(text); }
    const std::string &DocumentText() const { return m_documentText; }
    int CurrentFontSize() const { return m_currentFontSize; }
    void SetCurrentFontSize(int halfPoints) { m_currentFontSize = halfPoints; }
    const std::string &WingdingsSelector() const { return m_wingdingsSelector; }

private:
    std::string CheckBoxText(int pageType, const std::string &answer) const;
    void RemoveLineBreaksAt(std::size_t position);

    const TAnswer &m_answers;
    const TextMeasurer &m_measurer;
    std::string m_dataFolder;
    std::vector<std::string> m_workList;
    std::string m_pageText;
    std::string m_documentText;
    int m_currentFontSize = 24; // RTF's default size until the first "\fs"
    std::string m_wingdingsSelector;
};

// Reads a page data file into field widths in inches. False (and message
// 21011) when a line cannot be read; throws when the file cannot be opened.
bool ReadFieldWidths(const std::string &path, std::vector<double> &widths);

} // namespace kelvox
