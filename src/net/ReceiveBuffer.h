#pragma once
// The bytes received on one connection, cut into messages. TCP is a stream: one read can bring half
// a message or two at once. A command or response is taken as soon as the number of characters its
// length field names has arrived, and what follows stays for the next message; a chat line is
// what arrived with it up to the first complete command or response of the same read (cut to 255
// characters); bytes that cannot be the start of any message are dropped with the rest of their
// read. At most one message's worth is ever kept, and not for longer than a waiting period.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net/Framing.h"

namespace lumaro::net {

class ReceiveBuffer {
public:
    static constexpr std::size_t kMaxChatLine = 255;
    // An unfinished message survives this many ticks of the connection; the next one drops it.
    static constexpr int kMaxPendingTicks = 20;

    // Feeds the bytes of one read; `deliver` is called with each message they complete (commands
    // and responses that fail their checks are dropped and never delivered).
    void receive(std::string_view data, const std::function<void(const Parsed&)>& deliver);
    // One tick of the connection: a message begun more than kMaxPendingTicks ticks ago and still
    // unfinished is dropped, so that a peer that sent half a header and fell silent cannot spoil
    // the next good message.
    void tick();
    std::size_t pendingSize() const { return pending_.size(); }
    // Forgets the unfinished message, if any.
    void clear() {
        pending_.clear();
        pendingTicks_ = 0;
    }

private:
    void cut(std::string_view data, std::vector<Parsed>& messages);

    std::string pending_;  // the start of a message still incomplete, at most 250 characters
    int pendingTicks_ = 0;  // ticks since that message began
};

}  // namespace lumaro::net
