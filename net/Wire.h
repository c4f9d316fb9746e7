#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The messages two peers exchange, and their encoding: little-endian integers, strings
// as a length byte and bytes. Decoding checks everything a message may carry against
// fixed bounds; what fails is refused whole, so nothing half-read is ever acted on.
namespace wire {

constexpr std::uint32_t Magic = 0x58544243; // "CBTX"
constexpr std::size_t MaxMessageBytes = 512;
constexpr std::size_t MaxNameBytes = 24;
constexpr std::size_t MaxVersionBytes = 16;
constexpr std::size_t MaxMovesPerPacket = 64;
constexpr int MoveCodes = 5; // the moves of the game's vocabulary

enum class Type : std::uint8_t {
    Hello = 1,
    Refuse = 2,
    Start = 3,
    Pause = 4,
    Hash = 5,
    Leave = 6,
    Inputs = 7,
    Ping = 8,
    Pong = 9,
};

constexpr std::size_t MaxPlayerWordBytes = 16;
// The first protocol whose hello says who plays the sender's side.
constexpr std::uint16_t PlayerWordProtocol = 2;

// Who the sender is: the program's version and protocol, its player's name and, from
// PlayerWordProtocol on, who plays it (empty for a person, else a CPU level's word). An
// older protocol's hello still decodes, so its sender is refused by its version.
struct Hello {
    std::uint16_t protocol = 0;
    std::string version;
    std::string name;
    std::string player;
    bool operator==(const Hello &) const = default;
};

// The host will not play with the sender: its own version and protocol, for the message.
struct Refuse {
    std::uint16_t protocol = 0;
    std::string version;
    bool operator==(const Refuse &) const = default;
};

// The host starts game number `game`: the seed, the input delay in steps and the step
// at which a game still running ends as a draw (0: never).
struct Start {
    std::uint16_t game = 0;
    std::uint32_t seed = 0;
    std::uint8_t delay = 0;
    std::uint32_t limit = 0;
    bool operator==(const Start &) const = default;
};

// The sender pauses (or resumes) the game at the start of step `step`.
struct Pause {
    std::uint16_t game = 0;
    std::uint32_t step = 0;
    bool operator==(const Pause &) const = default;
};

// The sender's state hash after playing step `step`; `final` when the game ended there.
struct Hash {
    std::uint16_t game = 0;
    std::uint32_t step = 0;
    std::uint64_t hash = 0;
    bool final = false;
    bool operator==(const Hash &) const = default;
};

enum class LeaveReason : std::uint8_t { Quit = 1, Done = 2, Disagree = 3 };
constexpr std::uint8_t LastLeaveReason = 3;

struct Leave {
    LeaveReason reason = LeaveReason::Quit;
    bool operator==(const Leave &) const = default;
};

struct StepMove {
    std::uint32_t step = 0;
    std::uint8_t move = 0;
    bool operator==(const StepMove &) const = default;
};

// The sender's moves not yet acknowledged, in step order; every move it will ever
// make up to `through` is in this packet or was acknowledged; `ack` is the last step
// of the receiver's moves the sender holds; `pauses` how many pauses it sent this game.
struct Inputs {
    std::uint16_t game = 0;
    std::uint32_t seq = 0;
    std::uint32_t ack = 0;
    std::uint32_t through = 0;
    std::uint16_t pauses = 0;
    std::vector<StepMove> moves;
    bool operator==(const Inputs &) const = default;
};

// A round-trip probe and its echo.
struct Ping {
    std::uint32_t nonce = 0;
    bool operator==(const Ping &) const = default;
};
struct Pong {
    std::uint32_t nonce = 0;
    bool operator==(const Pong &) const = default;
};

using Message = std::variant<Hello, Refuse, Start, Pause, Hash, Leave, Inputs, Ping, Pong>;

std::vector<std::uint8_t> Encode(const Message &message);
// Nothing when the bytes are not exactly one well-formed message.
std::optional<Message> Decode(const std::uint8_t *data, std::size_t size);

// A player's name as it travels: valid UTF-8 without control characters, at most
// MaxNameBytes bytes; a version: printable ASCII of at most MaxVersionBytes.
bool IsValidName(const std::string &text);
bool IsValidVersion(const std::string &text);
// Who plays, as a hello says it: lower-case letters, digits and '-', at most
// MaxPlayerWordBytes; empty for a person.
bool IsValidPlayerWord(const std::string &text);

} // namespace wire
