#pragma once

#include <cstdint>
#include <string>

namespace kelvox {

// Unwinds a command to the event loop without a further message.
struct SilentAbort final {};

struct ComposedMessage final {
    std::string First;  // the message text
    std::string Second; // the instruction text
};

// Where ErrorMessage sends its two texts: the message dialog in the app, a
// collector in tests and in kelvoxctl.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(std::uint16_t code, const std::string &callerText, const ComposedMessage &message) = 0;
};

// Installs the process-wide sink and returns the previous one. With no sink
// installed, messages are dropped.
MessageSink *SetMessageSink(MessageSink *sink);

// The catalogue text of a message number, with the caller's text inserted where
// the entry takes one; empty when the number is not catalogued.
bool CatalogueText(int messageNumber, const std::string &callerText, std::string &out);
std::string InstructionText(int digit);
ComposedMessage ComposeMessage(std::uint16_t code, const std::string &callerText);

void ErrorMessage(std::uint16_t code, const std::string &text = std::string());

} // namespace kelvox
