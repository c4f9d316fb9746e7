#pragma once

#include "sound/OutputDevice.h"

// The blocks a device holds and has not finished, in the order written. Fixed size,
// so playing never allocates.
class BlockQueue {
public:
    static constexpr int Capacity = 16;

    bool push(WaveHeader *header);
    // Plays up to n bytes, copying them to out when out is not null; marks every block
    // it finishes done. Returns the bytes played.
    int64_t consume(int64_t n, uint8_t *out);
    // Hands every block back done.
    void clear();
    bool empty() const { return count == 0; }
    // Blocks finished since the last call.
    int takeFinished();

private:
    void finishFront();

    WaveHeader *ring[Capacity] = {};
    int head = 0;
    int count = 0;
    uint32_t offset = 0; // bytes of the front block already played
    int finished = 0;
};
