#include "net/Lockstep.h"
#include "net/Wire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Feeds arbitrary bytes to the network message decoder, as a peer could send them. A
// message that decodes must encode back to the same bytes, and input packets go on
// into the lockstep bookkeeping of a game in progress. No input may crash, read outside
// the bytes, hang or leak.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::optional<wire::Message> m = wire::Decode(data, size);
    if (!m)
        return 0;
    const std::vector<std::uint8_t> again = wire::Encode(*m);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data))
        std::abort();
    if (const auto *inputs = std::get_if<wire::Inputs>(&*m)) {
        Lockstep steps;
        steps.reset(inputs->game, 3);
        steps.addLocal(Move::Left);
        for (int i = 0; i < 5; ++i)
            steps.stepPlayed();
        steps.incoming(*inputs);
        steps.takeRemoteDue(inputs->through);
        steps.outgoing();
    }
    return 0;
}
