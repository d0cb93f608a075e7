#include "net/ReceiveBuffer.h"

namespace lumaro::net {
namespace {

bool startsATag(std::string_view text) {
    for (std::string_view tag : {std::string_view("chat"), std::string_view("cmnd"), std::string_view("resp")})
        if (tag.substr(0, text.size()) == text.substr(0, 4)) return true;
    return false;
}

// Where the first complete command or response that passes its checks begins in `text`; npos
// when there is none. A chat line ends there: the peer sent the two one after the other.
std::size_t firstWholeMessage(std::string_view text) {
    for (std::size_t at = 0; at + kHeaderLength + 2 <= text.size(); ++at) {
        const std::string_view tag = text.substr(at, 4);
        if (tag != "cmnd" && tag != "resp") continue;
        const std::size_t length = hexPair(text[at + 8], text[at + 9]);
        if (length > text.size() - at) continue;
        const Parsed parsed = parseBlock(text.substr(at, length));
        if (parsed.kind == Parsed::Kind::Command || parsed.kind == Parsed::Kind::Response) return at;
    }
    return std::string_view::npos;
}

}  // namespace

void ReceiveBuffer::tick() {
    if (pending_.empty()) return;
    if (++pendingTicks_ > kMaxPendingTicks) clear();
}

void ReceiveBuffer::receive(std::string_view data, const std::function<void(const Parsed&)>& deliver) {
    // The read is cut whole before anything is delivered: a delivery may let events run, and a read
    // arriving meanwhile finds the buffer in order.
    std::vector<Parsed> messages;
    cut(data, messages);
    for (const Parsed& message : messages) deliver(message);
}

void ReceiveBuffer::cut(std::string_view data, std::vector<Parsed>& messages) {
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
            if (!startsATag(pending_)) clear();
            return;  // the whole read is used up: wait for the rest of the tag
        }
        const std::string_view tag = std::string_view(pending_).substr(0, 4);
        if (tag == "chat") {
            const std::string_view rest = data.substr(next);
            const std::size_t end = std::min(firstWholeMessage(rest), rest.size());
            std::string text = pending_.substr(4);
            text.append(rest.substr(0, std::min(end, kMaxChatLine + 1)));
            next += end;
            if (text.empty() && next == data.size()) return;  // only the tag so far
            clear();
            if (text.empty()) continue;  // the bare tag before a command is no line
            if (text.size() > kMaxChatLine) text.resize(kMaxChatLine);
            Parsed chat;
            chat.kind = Parsed::Kind::Chat;
            chat.chat = std::move(text);
            messages.push_back(std::move(chat));
            continue;
        }
        if (tag != "cmnd" && tag != "resp") {
            clear();  // rubbish: dropped with the rest of its read
            return;
        }
        // A key of 00 is known as soon as it has come: nothing can follow it.
        if (!topUp(6)) return;
        if (hexPair(pending_[4], pending_[5]) == 0) {
            clear();
            return;
        }
        if (!topUp(kHeaderLength)) return;
        const Byte key = hexPair(pending_[4], pending_[5]);
        const std::size_t length = hexPair(pending_[8], pending_[9]);
        const bool possible = key != 0 && length >= kHeaderLength + 2 && length <= kMaxMessageLength && length % 2 == 0;
        if (!possible) {
            clear();
            return;
        }
        if (!topUp(length)) return;
        const Parsed parsed = parseBlock(pending_);
        clear();
        if (parsed.kind == Parsed::Kind::Command || parsed.kind == Parsed::Kind::Response) messages.push_back(parsed);
    }
}

}  // namespace lumaro::net
