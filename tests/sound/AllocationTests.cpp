#include "sound/SimulatedOutput.h"
#include "tests/sound/MixerTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Steady play must not allocate: every allocation of this program is counted.

namespace {
std::atomic<long> allocations{0};
}

void *operator new(std::size_t size) {
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete[](void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}

using AllocationTest = MixerTest;

TEST_F(AllocationTest, SteadyPlayAllocatesNothing) {
    const long atStart = allocations;
    init();
    EXPECT_GT(allocations, atStart); // the counter sees the mixer's own allocations
    SoundMixOpenChannels(session, 4, ChannelCount);
    TMixerWave *cues[4] = {synth(2495, 90), synth(6038, 140), synth(9995, 60), synth(300, 200)};
    audio.setRecording(false);
    SoundMixActivate(session, true);
    auto playFor = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            play(i % 4, cues[i % 4], PlayClearQueue | PlayStartNow);
            play(3 - i % 4, cues[(i + 1) % 4], 0, uint16_t(i % 3));
            audio.advance(37);
        }
    };
    playFor(20);
    const long before = allocations;
    playFor(400);
    EXPECT_EQ(allocations - before, 0);
}
