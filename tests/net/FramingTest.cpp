// The wire format of commands, responses and chat lines, and the receive buffer that cuts a TCP
// stream into messages.
#include <gtest/gtest.h>

#include <random>

#include "net/Framing.h"
#include "net/ReceiveBuffer.h"

namespace lumaro::net {
namespace {

Payload payloadOf(std::initializer_list<int> bytes) {
    Payload p{};
    int i = 1;
    for (int b : bytes) p[i++] = static_cast<Byte>(b);
    return p;
}

TEST(Framing, WritesTheHeaderAndMaskedPayloadInUpperCaseHex) {
    // Code 16 with key 5A: check 10, length 0C, masked byte 10 ^ 5A = 4A.
    EXPECT_EQ(frameMessage(Tag::Command, payloadOf({16}), 1, 0x5A), "cmnd5A100C4A");
    // A response 7 with the name "Ab": check 07^41^62 = 24, length 10 + 6 = 16.
    EXPECT_EQ(frameMessage(Tag::Response, payloadOf({7, 'A', 'b'}), 3, 0xF0), "respF02410F7B192");
    EXPECT_EQ(chatMessage("hello"), "chathello");
    // The longest message: 120 bytes, 250 characters.
    Payload full{};
    for (int i = 1; i <= kMaxPayload; ++i) full[i] = static_cast<Byte>(i * 7);
    const std::string longest = frameMessage(Tag::Command, full, kMaxPayload, 0xAB);
    EXPECT_EQ(longest.size(), 250u);
    EXPECT_EQ(longest.substr(8, 2), "FA");
}

TEST(Framing, EveryFrameReadsBackAsWritten) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 2000; ++trial) {
        const int n = 1 + static_cast<int>(rng() % kMaxPayload);
        Payload p{};
        for (int i = 1; i <= n; ++i) p[i] = static_cast<Byte>(rng());
        const Byte key = static_cast<Byte>(1 + rng() % 255);
        const bool command = rng() % 2;
        const Parsed back = parseBlock(frameMessage(command ? Tag::Command : Tag::Response, p, n, key));
        ASSERT_EQ(back.kind, command ? Parsed::Kind::Command : Parsed::Kind::Response);
        EXPECT_EQ(back.key, key);
        ASSERT_EQ(back.length, n);
        for (int i = 1; i <= n; ++i) EXPECT_EQ(back.payload[i], p[i]);
    }
}

struct BlockCase {
    const char* why;
    std::string block;
    Parsed::Kind kind;
};

TEST(Framing, BlockTable) {
    const std::string good = "cmnd5A100C4A";
    std::string lower = "cmnd5a100c4a";
    std::string badCheck = good;
    badCheck[7] = '1';  // check 11
    std::string longLength = good;
    longLength[9] = 'D';  // L one more than the block
    const std::vector<BlockCase> cases = {
        {"empty", "", Parsed::Kind::Nothing},
        {"only the chat tag", "chat", Parsed::Kind::Nothing},
        {"chat tag and one character", "chatx", Parsed::Kind::Chat},
        {"chat with a command after it is all chat", "chathi" + good, Parsed::Kind::Chat},
        {"too short for a header", "cmnd5A100C", Parsed::Kind::Nothing},
        {"unknown tag", "CMND5A100C4A", Parsed::Kind::Nothing},
        {"key 00", "cmnd00100C10", Parsed::Kind::Nothing},
        {"a good command", good, Parsed::Kind::Command},
        {"a good response", "resp5A100C4A", Parsed::Kind::Response},
        {"lower-case hex", lower, Parsed::Kind::Command},
        {"wrong check byte", badCheck, Parsed::Kind::Nothing},
        {"length one more than the block", longLength, Parsed::Kind::Nothing},
        {"odd payload", "cmnd5A100D4A1", Parsed::Kind::Nothing},
        {"two messages in one block", good + good, Parsed::Kind::Nothing},
        {"half a message", good.substr(0, 11), Parsed::Kind::Nothing},
        {"longer than 255", "cmnd5A10FF" + std::string(250, '0'), Parsed::Kind::Nothing},
        {"not hex counts as 0", "cmnd5AZZ0C5A", Parsed::Kind::Command},
    };
    for (const BlockCase& c : cases) {
        const Parsed p = parseBlock(c.block);
        EXPECT_EQ(p.kind, c.kind) << c.why;
        if (c.kind == Parsed::Kind::Command && c.block == good) {
            EXPECT_EQ(p.payload[1], 16);
        }
    }
    EXPECT_EQ(parseBlock("chathi" + good).chat, "hi" + good);
    EXPECT_EQ(parseBlock("chatx").chat, "x");
}

// Everything a receive buffer delivers, read by read.
struct Collector {
    std::vector<Parsed> got;
    ReceiveBuffer buffer;
    void feed(std::string_view bytes) {
        buffer.receive(bytes, [this](const Parsed& p) { got.push_back(p); });
    }
};

TEST(ReceiveBuffer, StreamTable) {
    const std::string a = frameMessage(Tag::Command, payloadOf({13, 3, 5}), 3, 0x21);
    const std::string b = frameMessage(Tag::Response, payloadOf({2}), 1, 0x99);
    std::string corrupt = a;
    corrupt[12] = corrupt[12] == '0' ? '1' : '0';
    struct StreamCase {
        const char* why;
        std::vector<std::string> reads;
        std::vector<Parsed::Kind> expected;
    };
    const std::vector<StreamCase> cases = {
        {"whole", {a}, {Parsed::Kind::Command}},
        {"split in two", {a.substr(0, 7), a.substr(7)}, {Parsed::Kind::Command}},
        {"split inside the tag", {a.substr(0, 2), a.substr(2)}, {Parsed::Kind::Command}},
        {"one byte at a time", {}, {Parsed::Kind::Command}},
        {"two merged", {a + b}, {Parsed::Kind::Command, Parsed::Kind::Response}},
        {"one and a half, then the rest", {a + b.substr(0, 5), b.substr(5)}, {Parsed::Kind::Command, Parsed::Kind::Response}},
        {"a corrupted block leaves the next alone", {corrupt + b}, {Parsed::Kind::Response}},
        {"garbage is dropped with its read", {"xyz" + a, b}, {Parsed::Kind::Response}},
        {"key 00 header drops the read", {"cmnd00100C10" + a, b}, {Parsed::Kind::Response}},
        {"impossible length drops the read", {"cmnd5A10FF", a}, {Parsed::Kind::Command}},
        {"chat ends where a whole command begins", {"chathi" + a, b}, {Parsed::Kind::Chat, Parsed::Kind::Command, Parsed::Kind::Response}},
        {"chat, command, chat", {"chathi" + a + "chatyo"}, {Parsed::Kind::Chat, Parsed::Kind::Command, Parsed::Kind::Chat}},
        {"the bare chat tag before a command is no line", {"chat" + a}, {Parsed::Kind::Command}},
        {"chat before a corrupted command is all chat", {"chathi" + corrupt, b}, {Parsed::Kind::Chat, Parsed::Kind::Response}},
        {"chat before half a command is all chat", {"chathi" + a.substr(0, 12)}, {Parsed::Kind::Chat}},
        {"a message then chat", {a + "chatyo"}, {Parsed::Kind::Command, Parsed::Kind::Chat}},
        {"the chat tag alone waits for its text", {"chat", "hello"}, {Parsed::Kind::Chat}},
    };
    for (const StreamCase& c : cases) {
        Collector col;
        if (c.reads.empty())
            for (char ch : a) col.feed(std::string(1, ch));
        for (const std::string& r : c.reads) col.feed(r);
        ASSERT_EQ(col.got.size(), c.expected.size()) << c.why;
        for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(col.got[i].kind, c.expected[i]) << c.why;
    }
    Collector col;
    col.feed(a.substr(0, 5));
    col.feed(a.substr(5) + b);
    ASSERT_EQ(col.got.size(), 2u);
    EXPECT_EQ(col.got[0].payload[1], 13);
    EXPECT_EQ(col.got[0].payload[2], 3);
    EXPECT_EQ(col.got[0].payload[3], 5);
    EXPECT_EQ(col.got[1].key, 0x99);
    // A chat line keeps its text up to the command, and the letters of a tag inside it.
    Collector chat;
    chat.feed("chatsay cmnd or resp" + a + "chat" + corrupt);
    ASSERT_EQ(chat.got.size(), 3u);
    EXPECT_EQ(chat.got[0].chat, "say cmnd or resp");
    EXPECT_EQ(chat.got[1].payload[1], 13);
    EXPECT_EQ(chat.got[2].chat, corrupt);
}

// An unfinished message lives for 20 ticks from its first byte; the 21st drops it, and what comes
// next is read afresh. A message that begins later in a read starts its own count.
TEST(ReceiveBuffer, AnUnfinishedMessageLastsTwentyTicks) {
    const std::string a = frameMessage(Tag::Command, payloadOf({13, 3, 5}), 3, 0x21);
    const std::string b = frameMessage(Tag::Response, payloadOf({2}), 1, 0x99);
    auto ticks = [](Collector& col, int n) {
        for (int i = 0; i < n; ++i) col.buffer.tick();
    };
    Collector within;
    within.feed(a.substr(0, 3));
    ticks(within, 15);
    within.feed(a.substr(3, 4));  // more bytes do not make it younger
    ticks(within, 5);
    within.feed(a.substr(7));
    ASSERT_EQ(within.got.size(), 1u);
    EXPECT_EQ(within.got[0].kind, Parsed::Kind::Command);

    Collector expired;
    expired.feed(a.substr(0, 7));
    ticks(expired, 21);
    EXPECT_EQ(expired.buffer.pendingSize(), 0u);
    expired.feed(b);
    ASSERT_EQ(expired.got.size(), 1u);
    EXPECT_EQ(expired.got[0].kind, Parsed::Kind::Response);

    Collector renewed;
    renewed.feed(b.substr(0, 5));
    ticks(renewed, 15);
    renewed.feed(b.substr(5) + a.substr(0, 5));
    ticks(renewed, 20);
    renewed.feed(a.substr(5));
    ASSERT_EQ(renewed.got.size(), 2u);
    EXPECT_EQ(renewed.got[1].kind, Parsed::Kind::Command);
}

TEST(ReceiveBuffer, ChatLinesAreCutAndFloodsCostNothing) {
    Collector col;
    col.feed("chat" + std::string(100000, 'x'));
    ASSERT_EQ(col.got.size(), 1u);
    EXPECT_EQ(col.got[0].chat.size(), ReceiveBuffer::kMaxChatLine);
    // Megabytes of rubbish: dropped, nothing kept beyond one message's worth.
    for (int i = 0; i < 40; ++i) {
        col.feed(std::string(100000, 'q'));
        EXPECT_LE(col.buffer.pendingSize(), static_cast<std::size_t>(kMaxMessageLength));
    }
    col.feed("cmnd5A10FA");  // a header that promises 250 characters
    col.feed(std::string(100000, '0'));
    EXPECT_LE(col.buffer.pendingSize(), static_cast<std::size_t>(kMaxMessageLength));
    EXPECT_EQ(col.got.size(), 1u);
}

// Random and mutated blocks: the parser never crashes nor reads outside its input (run under the
// sanitizers to see the second), and whatever it accepts is a well-formed message.
TEST(ReceiveBuffer, RandomAndMutatedInput) {
    std::mt19937 rng(12345);
    const char alphabet[] = "chatcmndresp0123456789ABCDEFabcdef\x00\xff\r\n";
    Collector col;
    std::size_t accepted = 0;
    for (int trial = 0; trial < 1000000; ++trial) {
        std::string block;
        if (trial % 2 == 0) {
            Payload p{};
            const int n = 1 + static_cast<int>(rng() % kMaxPayload);
            for (int i = 1; i <= n; ++i) p[i] = static_cast<Byte>(rng());
            block = frameMessage(rng() % 2 ? Tag::Command : Tag::Response, p, n, static_cast<Byte>(1 + rng() % 255));
            const int flips = static_cast<int>(rng() % 3);
            for (int f = 0; f < flips; ++f) block[rng() % block.size()] = alphabet[rng() % (sizeof alphabet - 1)];
            if (rng() % 4 == 0) block.resize(rng() % (block.size() + 1));
        } else {
            const std::size_t n = rng() % 40;
            for (std::size_t i = 0; i < n; ++i) block.push_back(alphabet[rng() % (sizeof alphabet - 1)]);
        }
        const Parsed p = parseBlock(block);
        if (p.kind == Parsed::Kind::Command || p.kind == Parsed::Kind::Response) {
            ++accepted;
            ASSERT_GE(p.length, 1);
            ASSERT_LE(p.length, kMaxPayload);
            ASSERT_NE(p.key, 0);
            ASSERT_EQ(block.size(), static_cast<std::size_t>(kHeaderLength + 2 * p.length));
        }
        col.feed(block);
        ASSERT_LE(col.buffer.pendingSize(), static_cast<std::size_t>(kMaxMessageLength));
    }
    EXPECT_GT(accepted, 100000u);  // the unmutated half gets through
}

}  // namespace
}  // namespace lumaro::net
