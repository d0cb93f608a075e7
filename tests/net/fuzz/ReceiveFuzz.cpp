// libFuzzer target for the network receive path: one block as the parser reads it, and the same
// bytes cut into reads at the places the first input byte chooses, as the receive buffer sees them.
// Build under clang with -fsanitize=fuzzer,address,undefined and link lumaro_core.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/Framing.h"
#include "net/ReceiveBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumaro::net;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Parsed block = parseBlock(bytes);
    if (block.kind == Parsed::Kind::Command || block.kind == Parsed::Kind::Response) {
        if (block.length < 1 || block.length > kMaxPayload || block.key == 0) __builtin_trap();
    }
    ReceiveBuffer buffer;
    const std::size_t step = size == 0 ? 1 : 1 + data[0] % 64;
    for (std::size_t at = 0; at < size; at += step) {
        buffer.receive(bytes.substr(at, step), [](const Parsed& p) {
            if (p.kind == Parsed::Kind::Chat && p.chat.size() > ReceiveBuffer::kMaxChatLine) __builtin_trap();
        });
        if (buffer.pendingSize() > static_cast<std::size_t>(kMaxMessageLength)) __builtin_trap();
    }
    return 0;
}
