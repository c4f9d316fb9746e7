#include "net/Wire.h"

#include <gtest/gtest.h>

using namespace wire;

namespace {

std::vector<Message> samples() {
    Inputs inputs{7, 42, 10, 30, 2, {{12, 0}, {12, 4}, {30, 2}}};
    return {Hello{1, "1.1",
                  "Ana Mar\xc3\xad"
                  "a"},
            Hello{2, "1.2", "Bea", "master"},
            Hello{3, "2.0", "Cy", ""},
            Refuse{3, "2.0"},
            Start{2, 99, 4, 72000},
            Pause{2, 500},
            Hash{2, 40, ~0ull, true},
            Leave{LeaveReason::Done},
            inputs,
            Ping{5},
            Pong{5}};
}

std::optional<Message> decode(const std::vector<std::uint8_t> &bytes) {
    return Decode(bytes.data(), bytes.size());
}

} // namespace

// Every message comes back as it was sent.
TEST(Wire, EveryMessageSurvivesTheRoundTrip) {
    for (const Message &m : samples()) {
        const std::optional<Message> back = decode(Encode(m));
        ASSERT_TRUE(back.has_value()) << m.index();
        EXPECT_EQ(*back, m);
    }
}

// A message cut short or followed by anything is refused whole: nothing half-read.
TEST(Wire, TruncatedOrPaddedMessagesAreRefused) {
    for (const Message &m : samples()) {
        const std::vector<std::uint8_t> bytes = Encode(m);
        for (std::size_t n = 0; n < bytes.size(); ++n)
            EXPECT_FALSE(Decode(bytes.data(), n).has_value()) << m.index() << " cut at " << n;
        std::vector<std::uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(decode(longer).has_value()) << m.index();
    }
}

TEST(Wire, UnknownTypesAndWrongMagicAreRefused) {
    for (int type : {0, 10, 200, 255})
        EXPECT_FALSE(decode({std::uint8_t(type), 0, 0, 0, 0}).has_value());
    std::vector<std::uint8_t> hello = Encode(Hello{1, "1.1", "A"});
    hello[1] ^= 1;
    EXPECT_FALSE(decode(hello).has_value());
    EXPECT_FALSE(decode(std::vector<std::uint8_t>(MaxMessageBytes + 1, 7)).has_value());
}

// Moves must be moves of the vocabulary, in step order, none past the final step.
TEST(Wire, InputPacketsOutOfShapeAreRefused) {
    auto refused = [](Inputs p) { return !decode(Encode(p)).has_value(); };
    EXPECT_TRUE(refused(Inputs{1, 1, 0, 20, 0, {{5, 5}}}));
    EXPECT_TRUE(refused(Inputs{1, 1, 0, 20, 0, {{9, 1}, {8, 1}}}));
    EXPECT_TRUE(refused(Inputs{1, 1, 0, 20, 0, {{21, 1}}}));
    Inputs many{1, 1, 0, 1000, 0, {}};
    for (std::uint32_t i = 0; i <= MaxMovesPerPacket; ++i)
        many.moves.push_back({i, 0});
    EXPECT_TRUE(refused(many));
    many.moves.pop_back();
    EXPECT_FALSE(refused(many));
}

TEST(Wire, FlagsAndReasonsOutsideTheirRangeAreRefused) {
    std::vector<std::uint8_t> hash = Encode(Hash{1, 2, 3, true});
    hash.back() = 2;
    EXPECT_FALSE(decode(hash).has_value());
    EXPECT_FALSE(decode({std::uint8_t(Type::Leave), 0}).has_value());
    EXPECT_FALSE(decode({std::uint8_t(Type::Leave), LastLeaveReason + 1}).has_value());
}

// Names are shown and stored: no controls, no broken or overlong UTF-8, bounded length.
TEST(Wire, NamesAndVersionsAreChecked) {
    EXPECT_TRUE(IsValidName("Jos\xc3\xa9"));
    EXPECT_TRUE(IsValidName("\xe2\x82\xac uro"));
    EXPECT_FALSE(IsValidName("a\nb"));
    EXPECT_FALSE(IsValidName("a\x7f"));
    EXPECT_FALSE(IsValidName("\xc2\x85"));         // C1 control
    EXPECT_FALSE(IsValidName("\xc0\xaf"));         // overlong
    EXPECT_FALSE(IsValidName("\xed\xa0\x80"));     // surrogate
    EXPECT_FALSE(IsValidName("\xf4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(IsValidName("\xc3"));             // cut short
    EXPECT_FALSE(IsValidName(std::string(MaxNameBytes + 1, 'a')));
    EXPECT_TRUE(IsValidVersion("1.1"));
    EXPECT_FALSE(IsValidVersion(""));
    EXPECT_FALSE(IsValidVersion("1 1"));
    std::vector<std::uint8_t> hello = Encode(Hello{1, "1.1", "ok"});
    hello.back() = '\t';
    EXPECT_FALSE(decode(hello).has_value());

    // Who plays: a CPU level's word or nothing; from protocol 2 the hello must say it.
    EXPECT_TRUE(IsValidPlayerWord(""));
    EXPECT_TRUE(IsValidPlayerWord("master"));
    EXPECT_FALSE(IsValidPlayerWord("Master"));
    EXPECT_FALSE(IsValidPlayerWord("a b"));
    EXPECT_FALSE(IsValidPlayerWord(std::string(MaxPlayerWordBytes + 1, 'a')));
    std::vector<std::uint8_t> says = Encode(Hello{2, "1.2", "ok", "easy"});
    says.back() = ':';
    EXPECT_FALSE(decode(says).has_value());
    const std::vector<std::uint8_t> older = Encode(Hello{1, "1.1", "ok", "easy"});
    EXPECT_EQ(older, Encode(Hello{1, "1.1", "ok"})) << "an older hello has no word";
    EXPECT_EQ(decode(older), Message(Hello{1, "1.1", "ok"}));
}
