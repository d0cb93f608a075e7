// Network play's receive path on any bytes: one block as the frame parser reads it, and the same
// bytes cut into reads (at a step the first byte chooses) as the receive buffer sees a TCP stream.
// Whatever is accepted is a well-formed message, a chat line is at most 255 characters, and the
// buffer never keeps more than one message's worth.
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "net/Framing.h"
#include "net/ReceiveBuffer.h"

using namespace lumaro::net;
using lumaro::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Parsed block = parseBlock(bytes);
    if (block.kind == Parsed::Kind::Command || block.kind == Parsed::Kind::Response) {
        check(block.length >= 1 && block.length <= kMaxPayload, "payload length 1..120");
        check(block.key != 0, "key 01..FF");
        check(size == static_cast<std::size_t>(kHeaderLength + 2 * block.length), "the block is exactly its length");
        // What was read writes back to the same bytes, up to the case of the hex digits.
        const std::string again = frameMessage(block.kind == Parsed::Kind::Command ? Tag::Command : Tag::Response,
                                               block.payload, block.length, block.key);
        check(again.size() == size, "written again at the same length");
    }
    ReceiveBuffer buffer;
    const std::size_t step = size == 0 ? 1 : 1 + data[0] % 64;
    for (std::size_t at = 0; at < size; at += step) {
        buffer.receive(bytes.substr(at, step), [](const Parsed& p) {
            if (p.kind == Parsed::Kind::Chat) check(!p.chat.empty() && p.chat.size() <= ReceiveBuffer::kMaxChatLine, "chat line 1..255");
            if (p.kind == Parsed::Kind::Command || p.kind == Parsed::Kind::Response)
                check(p.length >= 1 && p.length <= kMaxPayload && p.key != 0, "a delivered message is well formed");
        });
        check(buffer.pendingSize() <= static_cast<std::size_t>(kMaxMessageLength), "at most one message kept");
    }
    return 0;
}
