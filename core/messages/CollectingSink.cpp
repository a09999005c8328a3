#include "messages/CollectingSink.h"

namespace kelvox {

CollectingSink::CollectingSink() : m_previous(SetMessageSink(this)) {}

CollectingSink::~CollectingSink() { SetMessageSink(m_previous); }

void CollectingSink::Show(std::uint16_t code, const std::string &callerText, const ComposedMessage &message)
{
    m_messages.push_back({code, callerText, message});
}

std::vector<std::uint16_t> CollectingSink::Codes() const
{
    std::vector<std::uint16_t> codes;
    codes.reserve(m_messages.size());
    for (const RaisedMessage &m : m_messages)
        codes.push_back(m.Code);
    return codes;
}

} // namespace kelvox
