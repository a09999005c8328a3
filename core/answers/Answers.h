#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelvox {

class TextMeasurer;
class WSchedList;
struct ListingMemo;

constexpr int kPageTypes = 35;
constexpr int kCopies = 25;

// Highest answer index of a page type (a page copy holds this + 1 answers).
int FieldsPerPage(int pageType);

constexpr int PageTag(int pageType, int copy) { return pageType * 100 + copy; }
constexpr int TagPageType(int tag) { return tag / 100; }
constexpr int TagCopy(int tag) { return tag % 100; }

struct TAObj final {
    bool OvRide = false;
};

struct AnswerEntry final {
    std::string Text;
    std::unique_ptr<TAObj> Obj = std::make_unique<TAObj>();
};

// The answers of one page copy. Its entry count is fixed at creation; an index
// outside it throws std::out_of_range, which the calling command reports.
class AnswerList final {
public:
    explicit AnswerList(int count);
    AnswerList(const AnswerList &) = delete;
    AnswerList &operator=(const AnswerList &) = delete;

    // Tells this list and its texts apart from any other list, or from itself
    // after any text was set.
    struct Stamp {
        std::uint64_t List = 0;
        std::uint64_t Version = 0;
        bool operator==(const Stamp &) const = default;
    };
    Stamp TextStamp() const { return {m_id, m_version}; }

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::string &Text(int index) const;
    // Copying into the answer's own text keeps its buffer.
    void SetText(int index, const std::string &text);
    void SetText(int index, std::string &&text);
    bool OvRide(int index) const;
    void SetOvRide(int index, bool value);

private:
    const AnswerEntry &At(int index) const;
    AnswerEntry &At(int index);

    std::vector<AnswerEntry> m_entries;
    std::uint64_t m_id;
    std::uint64_t m_version = 0;
};

struct RAnswer final {
    std::array<int, kPageTypes> PgCt{};
    // Page[type][copy]
    std::array<std::array<std::unique_ptr<AnswerList>, kCopies>, kPageTypes> Page;
};

class TAnswer final {
public:
    TAnswer();  // Create
    ~TAnswer(); // Destroy

    TAnswer(const TAnswer &) = delete;
    TAnswer &operator=(const TAnswer &) = delete;

    bool ErrFlag = false;
    bool HActive = false;
    std::string ProgramName;
    double VersionNo = 0;
    bool ConversionOn = false;
    bool OffsetOn = false;
    int NoOf18_2 = 0;
    int NoOf18_3 = 0;
    int NoOf18_4 = 0;
    int NoOf18_9 = 0;
    int NoOfWorksheet = 0;

    RAnswer &Record() { return *m_answ; }
    const RAnswer &Record() const { return *m_answ; }
    std::array<int, kPageTypes> &PgCt() { return m_answ->PgCt; }
    const std::array<int, kPageTypes> &PgCt() const { return m_answ->PgCt; }

    // Throws std::out_of_range for a page type or copy outside the store.
    AnswerList &Page(int pageType, int copy);
    const AnswerList &Page(int pageType, int copy) const;

    const std::string &Get(int pageType, int copy, int index) const { return Page(pageType, copy).Text(index); }
    void Set(int pageType, int copy, int index, const std::string &text) { Page(pageType, copy).SetText(index, text); }
    void Set(int pageType, int copy, int index, std::string &&text)
    {
        Page(pageType, copy).SetText(index, std::move(text));
    }
    bool OvRide(int pageType, int copy, int index) const { return Page(pageType, copy).OvRide(index); }
    void SetOvRide(int pageType, int copy, int index, bool v) { Page(pageType, copy).SetOvRide(index, v); }

    // Replaces copy y of page type x with an empty list. A copy of 25 or more
    // shows code 18012 and throws SilentAbort; the store is unchanged.
    void CreateAPage(int x, int y);

    // The calculation pass over the whole case; defined with the calc units.
    // The worksheet rows feed the account listing, the measurer its fitting.
    void Calculate(const WSchedList &worksheet, const TextMeasurer &measurer);

    // What the last pass wrote into the listings, so that an unchanged listing
    // page is not written again.
    ListingMemo &ListingMemory();

private:
    std::unique_ptr<RAnswer> m_answ;
    std::unique_ptr<ListingMemo> m_listingMemo;
};

} // namespace kelvox
