#include "sound/MixerSession.h"

#include <algorithm>
#include <cstring>

// Filling one block from the channel queues.

namespace {

constexpr int Silence = 128;

template <int K> void mixFixed(uint8_t *out, const uint8_t *const *src, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        int sum = Silence - Silence * K;
        for (int j = 0; j < K; ++j)
            sum += src[j][i];
        out[i] = uint8_t(std::clamp(sum, 0, 255));
    }
}

// One source is a plain copy; several are summed around 128 and bounded.
void mixSources(uint8_t *out, const uint8_t *const *src, int k, int32_t n) {
    switch (k) {
    case 1:
        std::memcpy(out, src[0], size_t(n));
        break;
    case 2:
        mixFixed<2>(out, src, n);
        break;
    case 3:
        mixFixed<3>(out, src, n);
        break;
    case 4:
        mixFixed<4>(out, src, n);
        break;
    case 5:
        mixFixed<5>(out, src, n);
        break;
    case 6:
        mixFixed<6>(out, src, n);
        break;
    case 7:
        mixFixed<7>(out, src, n);
        break;
    default:
        mixFixed<8>(out, src, n);
        break;
    }
}

struct ActiveSet {
    TChannelNode *nodes[MixerChannels];
    int count = 0;
    int32_t nextStart = EndOfTime;

    // Moves past nodes that have ended by pos; drops channels that run out.
    void renew(int32_t pos) {
        nextStart = EndOfTime;
        for (int i = 0; i < count;) {
            while (nodes[i] && nodes[i]->end <= pos)
                nodes[i] = nodes[i]->next;
            if (!nodes[i]) {
                nodes[i] = nodes[--count];
                continue;
            }
            nextStart = std::min(nextStart, nodes[i]->start);
            ++i;
        }
    }
};

void collect(const TMixerSession &s, ActiveSet &set) {
    for (int c = 0; c < MixerChannels; ++c)
        if (isBusy(s, c))
            set.nodes[set.count++] = s.heads[c];
    set.renew(s.MixPosition);
}

// Mixes the stretch from pos up to the next point where the set of sounding nodes
// changes; returns its length.
int32_t mixStretch(const ActiveSet &set, int32_t pos, int32_t remaining, uint8_t *out) {
    int64_t limit = int64_t(pos) + remaining;
    const uint8_t *sources[MixerChannels];
    int k = 0;
    for (int i = 0; i < set.count; ++i) {
        const TChannelNode *node = set.nodes[i];
        if (node->start > pos) {
            limit = std::min<int64_t>(limit, node->start);
            continue;
        }
        limit = std::min<int64_t>(limit, node->end);
        int64_t offset = int64_t(pos) - node->start;
        if (node->request.loops != 0) {
            offset %= node->length;
            limit = std::min<int64_t>(limit, pos + node->length - offset);
        }
        sources[k++] = node->data + offset;
    }
    const int32_t n = int32_t(limit - pos);
    mixSources(out, sources, k, n);
    return n;
}

} // namespace

bool MixBlock(TMixerSession &s, TWaveBlock *block, bool send) {
    if (!block)
        return false;
    ActiveSet set;
    collect(s, set);
    if (set.count == 0) {
        if (send)
            block->free = true;
        return false;
    }
    int32_t pos = s.MixPosition;
    int32_t remaining = s.blockLength;
    uint8_t *out = block->buffer;
    while (remaining > 0) {
        int32_t n;
        if (set.count == 0) {
            n = remaining;
            std::memset(out, Silence, size_t(n));
        } else if (pos < set.nextStart) {
            n = int32_t(std::min<int64_t>(remaining, int64_t(set.nextStart) - pos));
            std::memset(out, Silence, size_t(n));
        } else {
            n = mixStretch(set, pos, remaining, out);
        }
        pos += n;
        out += n;
        remaining -= n;
        set.renew(pos);
    }
    block->start = s.MixPosition;
    s.MixPosition += s.blockLength;
    if (send)
        sendMixed(s, block);
    return true;
}
