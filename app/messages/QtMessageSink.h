#pragma once

#include "messages/Messages.h"

// Shows the core's messages in the message dialog, after the alert sound.
class QtMessageSink final : public kelvox::MessageSink {
public:
    void Show(std::uint16_t code, const std::string &callerText, const kelvox::ComposedMessage &message) override;
};
