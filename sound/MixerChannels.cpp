#include "sound/MixerSession.h"

// The node pool and the channel operations: open, close, flush.

namespace {

TChannelNode nodePool[NodePoolSize];
TChannelNode *freeNodes = nullptr;

void checkChannel(int32_t channel) {
    if (channel < 0 || channel >= MixerChannels)
        raise("Invalid channel number");
}

void openChannel(TMixerSession &s, int channel) {
    s.heads[channel] = nullptr;
    ++s.openChannels;
}

} // namespace

void resetNodePool() {
    freeNodes = nullptr;
    for (int i = NodePoolSize - 1; i >= 0; --i) {
        nodePool[i] = TChannelNode{};
        nodePool[i].next = freeNodes;
        freeNodes = &nodePool[i];
    }
}

TChannelNode *takeNode() {
    TChannelNode *node = freeNodes;
    if (node) {
        freeNodes = node->next;
        node->next = nullptr;
    }
    return node;
}

void returnNode(TChannelNode *node) {
    *node = TChannelNode{};
    node->next = freeNodes;
    freeNodes = node;
}

void returnQueue(TMixerSession &s, int channel) {
    if (!isBusy(s, channel))
        return;
    TChannelNode *node = s.heads[channel];
    while (node) {
        TChannelNode *next = node->next;
        returnNode(node);
        node = next;
    }
    s.heads[channel] = nullptr;
}

bool isOpen(const TMixerSession &s, int channel) {
    return s.heads[channel] != ClosedChannel;
}

bool isBusy(const TMixerSession &s, int channel) {
    return s.heads[channel] != ClosedChannel && s.heads[channel] != nullptr;
}

void SoundMixOpenChannels(TMixerSession *hMixSession, int32_t channel, int32_t mode) {
    TMixerSession &s = validSession(hMixSession);
    if (mode < 0 || mode > ChannelCount)
        raise("Invalid Flags");
    if (mode == ChannelOne)
        checkChannel(channel);
    if (mode == ChannelCount && (channel < 1 || channel > MixerChannels))
        raise("Invalid number of channels");
    if (mode == ChannelOne) {
        if (isOpen(s, channel))
            raise("The channel has already been opened");
        openChannel(s, channel);
        return;
    }
    const int count = mode == ChannelAll ? MixerChannels : channel;
    for (int c = count - 1; c >= 0; --c)
        if (!isOpen(s, c))
            openChannel(s, c);
}

void SoundMixFlushChannels(TMixerSession *hMixSession, int32_t channel, uint32_t flags) {
    TMixerSession &s = validSession(hMixSession);
    int first = 0;
    int last = MixerChannels - 1;
    if (!(flags & ChannelAll)) {
        checkChannel(channel);
        if (!isOpen(s, channel))
            raise("The specified channel was not open");
        first = last = channel;
    }
    bool dropped = false;
    for (int c = first; c <= last; ++c) {
        if (!isBusy(s, c))
            continue;
        dropped = true;
        returnQueue(s, c);
    }
    if (dropped && !(flags & FlushNoRemix) && s.active)
        s.remix(s, currentPosition(s), nullptr);
}

void SoundMixCloseChannels(TMixerSession *hMixSession, int32_t channel, uint32_t flags) {
    SoundMixFlushChannels(hMixSession, channel, flags | FlushNoRemix);
    TMixerSession &s = *hMixSession;
    for (int c = 0; c < MixerChannels; ++c) {
        if ((flags & ChannelAll) ? isOpen(s, c) : c == channel) {
            s.heads[c] = ClosedChannel;
            --s.openChannels;
        }
    }
}
