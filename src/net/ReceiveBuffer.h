#pragma once
// The bytes received on one connection, cut into messages. TCP is a stream: one read can bring half
// a message or two at once. A command or response is taken as soon as the number of characters its
// length field names has arrived, and what follows stays for the next message; a chat line is
// everything that arrived with it (cut to 255 characters); bytes that cannot be the start of any
// message are dropped with the rest of their read. At most one message's worth is ever kept.
#include <functional>
#include <string>
#include <string_view>

#include "net/Framing.h"

namespace lumaro::net {

class ReceiveBuffer {
public:
    static constexpr std::size_t kMaxChatLine = 255;

    // Feeds the bytes of one read; `deliver` is called with each message they complete (commands
    // and responses that fail their checks are dropped and never delivered).
    void receive(std::string_view data, const std::function<void(const Parsed&)>& deliver);
    void clear() { pending_.clear(); }
    std::size_t pendingSize() const { return pending_.size(); }

private:
    std::string pending_;  // the start of a message still incomplete, at most 250 characters
};

}  // namespace lumaro::net
