#include "answers/Answers.h"

#include "calc/AccountListing.h"
#include "messages/Messages.h"

#include <atomic>
#include <stdexcept>

namespace kelvox {

namespace {
constexpr std::array<int, kPageTypes> kFieldsPerPage = [] {
    std::array<int, kPageTypes> t{};
    t.fill(100);
    t[12] = 200;
    t[14] = 200;
    t[24] = 300;
    return t;
}();

void CheckPage(int pageType, int copy)
{
    if (pageType < 0 || pageType >= kPageTypes || copy < 0 || copy >= kCopies)
        throw std::out_of_range("page copy " + std::to_string(pageType) + ":" + std::to_string(copy) +
                                " is outside the store");
}
} // namespace

int FieldsPerPage(int pageType)
{
    if (pageType < 0 || pageType >= kPageTypes)
        throw std::out_of_range("page type " + std::to_string(pageType) + " does not exist");
    return kFieldsPerPage[static_cast<size_t>(pageType)];
}

namespace {
std::atomic<std::uint64_t> g_lists{0};
}

AnswerList::AnswerList(int count) : m_entries(static_cast<size_t>(count)), m_id(++g_lists) {}

const AnswerEntry &AnswerList::At(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return m_entries[static_cast<size_t>(index)];
}

AnswerEntry &AnswerList::At(int index)
{
    return const_cast<AnswerEntry &>(static_cast<const AnswerList *>(this)->At(index));
}

const std::string &AnswerList::Text(int index) const { return At(index).Text; }
void AnswerList::SetText(int index, const std::string &text)
{
    At(index).Text = text;
    ++m_version;
}
void AnswerList::SetText(int index, std::string &&text)
{
    At(index).Text = std::move(text);
    ++m_version;
}
bool AnswerList::OvRide(int index) const { return At(index).Obj->OvRide; }
void AnswerList::SetOvRide(int index, bool value) { At(index).Obj->OvRide = value; }

TAnswer::TAnswer() : ProgramName("Kelvox Demo"), VersionNo(4.12), m_answ(std::make_unique<RAnswer>())
{
    for (int copy = 0; copy < kCopies; ++copy)
        for (int type = 0; type < kPageTypes; ++type)
            m_answ->Page[static_cast<size_t>(type)][static_cast<size_t>(copy)] =
                std::make_unique<AnswerList>(FieldsPerPage(type) + 1);
}

TAnswer::~TAnswer() = default;

ListingMemo &TAnswer::ListingMemory()
{
    if (!m_listingMemo)
        m_listingMemo = std::make_unique<ListingMemo>();
    return *m_listingMemo;
}

AnswerList &TAnswer::Page(int pageType, int copy)
{
    CheckPage(pageType, copy);
    return *m_answ->Page[static_cast<size_t>(pageType)][static_cast<size_t>(copy)];
}

const AnswerList &TAnswer::Page(int pageType, int copy) const
{
    CheckPage(pageType, copy);
    return *m_answ->Page[static_cast<size_t>(pageType)][static_cast<size_t>(copy)];
}

void TAnswer::CreateAPage(int x, int y)
{
    if (y >= kCopies) {
        ErrorMessage(18012);
        throw SilentAbort();
    }
    CheckPage(x, y);
    m_answ->Page[static_cast<size_t>(x)][static_cast<size_t>(y)] = std::make_unique<AnswerList>(FieldsPerPage(x) + 1);
}

} // namespace kelvox
