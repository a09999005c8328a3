#pragma once

#include "messages/Messages.h"

#include <vector>

namespace kelvox {

struct RaisedMessage final {
    std::uint16_t Code = 0;
    std::string CallerText;
    ComposedMessage Texts;
};

// Keeps every message raised while it is installed; restores the previous sink
// when it goes.
class CollectingSink final : public MessageSink {
public:
    CollectingSink();
    ~CollectingSink() override;
    CollectingSink(const CollectingSink &) = delete;
    CollectingSink &operator=(const CollectingSink &) = delete;

    void Show(std::uint16_t code, const std::string &callerText, const ComposedMessage &message) override;

    const std::vector<RaisedMessage> &Messages() const { return m_messages; }
    std::vector<std::uint16_t> Codes() const;
    void Clear() { m_messages.clear(); }

private:
    MessageSink *m_previous;
    std::vector<RaisedMessage> m_messages;
};

} // namespace kelvox
