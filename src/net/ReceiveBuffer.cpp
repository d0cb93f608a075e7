#include "net/ReceiveBuffer.h"

namespace lumaro::net {
namespace {

bool startsATag(std::string_view text) {
    for (std::string_view tag : {std::string_view("chat"), std::string_view("cmnd"), std::string_view("resp")})
        if (tag.substr(0, text.size()) == text.substr(0, 4)) return true;
    return false;
}

}  // namespace

void ReceiveBuffer::receive(std::string_view data, const std::function<void(const Parsed&)>& deliver) {
    std::size_t next = 0;  // the first byte of `data` not yet looked at
    // Tops the pending message up to `want` characters; true once it has them.
    auto topUp = [&](std::size_t want) {
        if (pending_.size() < want) {
            const std::size_t n = std::min(want - pending_.size(), data.size() - next);
            pending_.append(data.substr(next, n));
            next += n;
        }
        return pending_.size() >= want;
    };
    for (;;) {
        if (pending_.empty() && next == data.size()) return;
        if (!topUp(4)) {
            if (!startsATag(pending_)) pending_.clear();
            return;  // the whole read is used up: wait for the rest of the tag
        }
        const std::string_view tag = std::string_view(pending_).substr(0, 4);
        if (tag == "chat") {
            std::string text = pending_.substr(4);
            text.append(data.substr(next, std::min(data.size() - next, kMaxChatLine + 1)));
            next = data.size();
            if (text.empty()) return;  // only the tag so far
            if (text.size() > kMaxChatLine) text.resize(kMaxChatLine);
            Parsed chat;
            chat.kind = Parsed::Kind::Chat;
            chat.chat = std::move(text);
            pending_.clear();
            deliver(chat);
            return;
        }
        if (tag != "cmnd" && tag != "resp") {
            pending_.clear();  // rubbish: dropped with the rest of its read
            return;
        }
        // A key of 00 is known as soon as it has come: nothing can follow it.
        if (!topUp(6)) return;
        if (hexPair(pending_[4], pending_[5]) == 0) {
            pending_.clear();
            return;
        }
        if (!topUp(kHeaderLength)) return;
        const Byte key = hexPair(pending_[4], pending_[5]);
        const std::size_t length = hexPair(pending_[8], pending_[9]);
        const bool possible = key != 0 && length >= kHeaderLength + 2 && length <= kMaxMessageLength && length % 2 == 0;
        if (!possible) {
            pending_.clear();
            return;
        }
        if (!topUp(length)) return;
        const Parsed parsed = parseBlock(pending_);
        pending_.clear();
        if (parsed.kind == Parsed::Kind::Command || parsed.kind == Parsed::Kind::Response) deliver(parsed);
    }
}

}  // namespace lumaro::net
