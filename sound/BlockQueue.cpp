#include "sound/BlockQueue.h"

#include <algorithm>
#include <cstring>

bool BlockQueue::push(WaveHeader *header) {
    if (count == Capacity || !header)
        return false;
    ring[(head + count) % Capacity] = header;
    ++count;
    if (count == 1)
        offset = 0;
    while (count > 0 && ring[head]->bufferLength == 0)
        finishFront();
    return true;
}

void BlockQueue::finishFront() {
    ring[head]->flags |= WHDR_DONE;
    ring[head] = nullptr;
    head = (head + 1) % Capacity;
    --count;
    offset = 0;
    ++finished;
}

int64_t BlockQueue::consume(int64_t n, uint8_t *out) {
    int64_t played = 0;
    while (n > 0 && count > 0) {
        WaveHeader *front = ring[head];
        const int64_t chunk = std::min<int64_t>(n, front->bufferLength - offset);
        if (out) {
            std::memcpy(out, front->data + offset, size_t(chunk));
            out += chunk;
        }
        offset += uint32_t(chunk);
        played += chunk;
        n -= chunk;
        if (offset >= front->bufferLength)
            finishFront();
    }
    return played;
}

void BlockQueue::clear() {
    while (count > 0)
        finishFront();
}

int BlockQueue::takeFinished() {
    const int n = finished;
    finished = 0;
    return n;
}
