#include "messages/Messages.h"

#include <map>

namespace kelvox {

namespace {

MessageSink *g_sink = nullptr;

// A catalogue entry: the text before the caller's text and, for the entries
// that take it, the text after it.
struct Entry final {
    const char *head;
    bool takesText = false;
    const char *tail = "";
};

const std::map<int, Entry> &Catalogue()
{
    static const std::map<int, Entry> catalogue = [] {
        std::map<int, Entry> m = {
            {1101, {"1101-You should save client files with the extension kvx. The extension of this file is being changed to kvx. "}},
            {1106, {"1106 -An error occurred while attempting to View a continuation page. "}},
            {1107, {"1107-Error in New Form routine - ", true}},
            {1126, {"1126-Error in Delete Form routine - ", true}},
            {1129, {"1129-Bad Tag. Please call Harrowgate Software about this error. "}},
            {1155, {"1155-Word Processing Error. You must have MS Word installed for Send to Word Processor to work. "
                    "If Word is not available, use the Print function which will send the file to your default RTF "
                    "editor - WordPad (Windows) or TextEdit (Mac). "}},
            {1200, {"1200-Error in Margins"}},
            {1202, {"1202-Unable to convert the text - ", true, " - to a number. Str2Float_2. "}},
            {1210, {"1210-Overflow Error. Too much worksheet information is being sent to Form 18.9. The amount exceeds "
                    "25 pages in length. "}},
            {1211, {"1211-Overflow Error. Too much worksheet information is being sent to the worksheet print out. The "
                    "amount exceeds 25 pages in length. "}},
            {1300, {"1300-ErrorMessage. "}},
            {1308, {"1308-FormKeyDown. This answer is overrideable. Select Override on the Options menu. "}},
            {1309, {"1309-FormKeyDown. This answer is overrideable. Select Override on the Options menu. "}},
            {1314, {"1314-FormShow. This is NOT an error. You have more than 8 windows open, you may want to close one or "
                    "more forms that you're not using. Use the Close Active command on the Window menu. "}},
            {1321, {"1321-PageListToInputComponent. "}},
            {1323, {"1323-ReduceControl. "}},
            {1327, {"1327-Unable to locate or load the RTF file that represents the requested Display page. "}},
            {1401, {"1401-Clear page error in Main. "}},
            {1402, {"1402-Form create error in multiple. "}},
            {1403, {"1403-ContinuationDlg error in Main. "}},
            {1404, {"1404-PresentContinuationDlg error in Main. "}},
            {1405, {"1405-DisplayKinWorksheet error in Main. "}},
            {1500, {"1500-Reserved."}},
            {1501, {"1501-The directory you chose is not valid. The default file location must be reset when this dialog "
                    "opens. The default client file folder is C:\\Harrowgate\\Kelvox\\Files. "}},
            {1503, {"1503-The directory you chose does not exist or there is an access problem."}},
            {1601, {"1601-You did not enter a valid percentage. "}},
            {1802, {"1802-TAnswer.Create. An error occurred when Kelvox attempted to create an answer structure for the "
                    "imported file. "}},
            {1803, {"1803-Unable to create attachment.txt file. "}},
            {1804, {"1804-An error occurred when Kelvox attempted to create an answer structure for the file to be "
                    "opened. "}},
            {1805, {"1805-ImportLastYearFile. An error occurred when Kelvox attempted to open the file being imported. "}},
            {2101, {"2101-ConvertTeens. There was a dollar error on the attorney fee form. "}},
            {2102, {"2102-ConvertDate. Kelvox was unable to convert a date to a string. "}},
            {2106, {"2106-GetNumFromText. Possible bad RTF template file. "}},
            {2107, {"2107-GetNumFromText. Possible bad RTF template file. "}},
            {2108, {"2108-DisplayAbbrFileName. "}},
            {2109, {"2109-Float2Dollar. An error occurred when Kelvox attempted to convert real number to a text "
                    "representation. "}},
            {2110, {"2110-InsertString. This error occurs as Kelvox substitutes text for the variables in the RTF "
                    "template. This can occur when the RTF has been corrupted and reinstalling Kelvox should fix the "
                    "problem. "}},
            {2111, {"2111-MakeReal. An error occurred while Kelvox was attempting to read a real number, ie., converting "
                    "one of your text entries to a real number. Check your entries. "}},
            {2112, {"2112-MakeReal_2. An error occurred while Kelvox was attempting to read a real number, ie., "
                    "converting one of your text entries to a real number. Check your entries. "}},
            {2113, {"2113-MakeTab. An error occurred decoding a tab position in the screen/print TXT file. "}},
            {2114, {"2114-Remove Asterisk. "}},
            {2115, {"2115-RemoveCommasAndSigns. "}},
            {2116, {"2116-RemoveHyphens. "}},
            {2117, {"2117-Str2Float_4. An error occurred while Kelvox was converting an entry to a real number. "}},
            {2118, {"2118-Str2Float_P. An error occurred while Kelvox was attempting to convert this text to a real "
                    "number: ", true}},
            {2119, {"2119-Str2Float_0. An error occurred while Kelvox was attempting to convert this text to a real "
                    "number: ", true}},
            {2120, {"2120-Str2Float_2. An error occurred while Kelvox was attempting to convert this text to a real "
                    "number: ", true}},
            {2121, {"2121-Str2Int. An error occurred while Kelvox was attempting to convert this text to an integer "
                    "number: ", true}},
            {2122, {"2122-ConvertDate. An error occurred while Kelvox was attempting to convert this text to a date: ",
                    true, ". When entering dates use the MM/DD/YYYY format."}},
            {2123, {"2123-TransferDocument. This error occurs as Kelvox substitutes text for the variables in the RTF "
                    "template. This can occur when the RTF has been corrupted and reinstalling Kelvox may fix the "
                    "problem. "}},
            {2124, {"2124-TrimStr. "}},
            {2125, {"2125-TransferAnswers. This error occurs as Kelvox substitutes text for the variables in the RTF "
                    "template. This can occur when the RTF has been corrupted and reinstalling Kelvox may fix the "
                    "problem. "}},
            {2126, {"2126-NumberToWords. "}},
            {2127, {"2127-NumberToWords. "}},
            {2134, {"2134-Str2Date. An error occurred while Kelvox was attempting to convert this text to a valid date: ",
                    true}},
            {2139, {"2139-Font reduction below zero. This error usually denotes a corrupt RTF file. Reinstallation may "
                    "fix this problem. "}},
            {2305, {"2305-No record selected."}},
            {2901, {"2901-You must enter the date field as MM/DD/YY format. This entry does not conform: ", true}},
            {3301, {"3301-An error occurred when Kelvox attempted to open the client file. "}},
            {3302, {"3302-An error occurred when Kelvox attempted to open the file: ", true}},
            {3305, {"3305-An error occurred when Kelvox attempted to import the file: ", true}},
        };
        // Placeholder and head entries.
        static const std::string placeholders[] = {
            "1100-Error messages go here", "1600-Error messages go here", "1700-Error messages go here",
            "1800-Error messages go here", "1900-Error messages go here", "2100-Error messages go here",
            "2200-Error messages go here", "2300-Error messages go here", "2400-Error messages go here",
            "2500-Error messages go here", "2600-Error messages go here", "2700-Error messages go here",
            "2800-Error messages go here", "2900-Error messages go here", "3000-Error messages go here",
            "3100-Error messages go here", "3200-Error messages go here", "3300-Error messages go here",
            "3400-Error messages go here", "3500-Error messages go here", "3600-Error messages go here",
            "3700-Error messages go here", "3800-Error messages go here", "1400-Error messages go here. ",
            "2000-Error messages go here. ",
        };
        for (const std::string &p : placeholders)
            m.emplace(std::stoi(p.substr(0, 4)), Entry{p.c_str()});
        return m;
    }();
    return catalogue;
}

const char *const kInstructions[10] = {
    "",
    "One of Kelvox's internal RTF or DAT files may be corrupted. If restarting doesn't fix the problem it may be "
    "necessary to reinstall Kelvox. ",
    "You can probably click OK and continue. If this error persists, restart Kelvox. If this is a date-related error, "
    "find the page and field and fix it. ",
    "Possible memory error. Close any other programs. ",
    "Possible disk access error. It may be necessary to reinstall Kelvox. ",
    "An error occurred during a printing operation. Make sure your printer is ready. ",
    "No two entries on a worksheet can have the same record number. The problem can be repaired by assigning a "
    "non-conflicting record number. ",
    "Calculation Error. An error occurred as Kelvox attempted to make the calculations on the schedule or form above.",
    "This error is usually related to the Borland Database Engine installation or aliases. Consult the last section "
    "of the Kelvox manual for solutions. ",
    "You must reduce the amount of text sent to the form referred to above. ",
};

} // namespace

MessageSink *SetMessageSink(MessageSink *sink)
{
    MessageSink *previous = g_sink;
    g_sink = sink;
    return previous;
}

bool CatalogueText(int messageNumber, const std::string &callerText, std::string &out)
{
    const auto &catalogue = Catalogue();
    const auto it = catalogue.find(messageNumber);
    if (it == catalogue.end())
        return false;
    out = it->second.head;
    if (it->second.takesText) {
        out += callerText;
        out += it->second.tail;
    }
    return true;
}

std::string InstructionText(int digit)
{
    if (digit < 0 || digit > 9)
        return {};
    return kInstructions[digit];
}

ComposedMessage ComposeMessage(std::uint16_t code, const std::string &callerText)
{
    const int number = code / 10;
    ComposedMessage result;
    if (!CatalogueText(number, callerText, result.First))
        result.First = "Unidentified error -  " + std::to_string(number);
    result.Second = InstructionText(code % 10);
    return result;
}

void ErrorMessage(std::uint16_t code, const std::string &text)
{
    if (g_sink)
        g_sink->Show(code, text, ComposeMessage(code, text));
}

} // namespace kelvox
