#include "sound/MixerSession.h"

#include <algorithm>

// Play requests: choosing a channel, holding requests and scheduling them.

namespace {

int32_t pickChannel(const TMixerSession &s) {
    int candidate = 0;
    while (candidate < MixerChannels - 1 && !isOpen(s, candidate))
        ++candidate;
    for (int i = 0; i < MixerChannels; ++i) {
        if (!isOpen(s, i))
            continue;
        if (!isBusy(s, candidate))
            break;
        if (i != candidate && s.lastUse[i] < s.lastUse[candidate])
            candidate = i;
    }
    return candidate;
}

void hold(TMixerSession &s, TChannelNode *node) {
    if (s.PendingList) {
        node->next = s.PendingList->next;
        s.PendingList->next = node;
    } else {
        node->next = node;
    }
    s.PendingList = node;
}

TChannelNode *takeOldestHeld(TMixerSession &s) {
    TChannelNode *oldest = s.PendingList->next;
    if (oldest == s.PendingList)
        s.PendingList = nullptr;
    else
        s.PendingList->next = oldest->next;
    oldest->next = nullptr;
    return oldest;
}

bool everyChannelIdle(const TMixerSession &s) {
    for (int c = 0; c < MixerChannels; ++c)
        if (isBusy(s, c))
            return false;
    return true;
}

TChannelNode *lastNode(TChannelNode *node) {
    while (node->next)
        node = node->next;
    return node;
}

// Places one held request in its channel's queue; true when output already mixed
// must be redone for it.
bool schedule(TMixerSession &s, TChannelNode *node, int32_t now) {
    const int c = node->request.channel;
    const uint32_t flags = node->request.flags;
    const bool startNow = flags & PlayStartNow;
    bool remix = false;
    int32_t start;
    if (flags & PlayClearQueue) {
        returnQueue(s, c);
        s.heads[c] = node;
        remix = !playListEmpty();
        start = startNow ? now : s.MixPosition;
    } else if (isBusy(s, c)) {
        TChannelNode *last = lastNode(s.heads[c]);
        last->next = node;
        start = startNow ? last->end : std::max(s.MixPosition, last->end);
        remix = s.MixPosition > start;
    } else {
        s.heads[c] = node;
        start = startNow ? now : s.MixPosition;
        remix = s.MixPosition > start;
    }
    node->start = start;
    const int64_t end = int64_t(start) + (int64_t(node->request.loops) + 1) * node->length - 1;
    node->end = node->request.loops == LoopForever || start == EndOfTime
                    ? EndOfTime
                    : int32_t(std::min<int64_t>(end, EndOfTime));
    return remix;
}

} // namespace

void SoundMixPlay(TPlayRequest *request) {
    if (!request)
        raise("nil parameters pointer passed to SoundMixPlay");
    TMixerSession &s = validSession(request->session);
    if (!request->wave)
        raise("nil wave pointer passed to SoundMixPlay!");
    if (!s.active)
        raise("Wave device not allocated, call SoundMixActivate(hMixSession,TRUE)");
    if (s.openChannels == 0)
        raise("You must open a channel before you can play a wave");

    const int32_t channel = (request->flags & PlayPickChannel) ? pickChannel(s) : request->channel;
    if (request->flags & PlayPickChannel)
        request->channel = channel;
    if (channel < 0 || channel >= MixerChannels)
        raise("Invalid channel number");
    s.lastUse[channel] = ++s.playCounter;
    if (!isOpen(s, channel))
        raise("The specified channel was not open");

    TChannelNode *node = takeNode();
    if (!node)
        raise("Not enough memory");
    node->request = *request;
    node->request.channel = channel;
    node->wave = request->wave;
    node->length = request->wave->length;
    node->data = request->wave->data;
    hold(s, node);
    if (request->flags & PlayWait)
        return;

    if (playListEmpty() && everyChannelIdle(s))
        SetPlaybackPosition(s, 0);
    const int32_t now = currentPosition(s);
    bool remix = false;
    TChannelNode *last = nullptr;
    while (s.PendingList) {
        TChannelNode *held = takeOldestHeld(s);
        // A held request whose channel was closed meanwhile has nowhere to go.
        if (!isOpen(s, held->request.channel)) {
            returnNode(held);
            continue;
        }
        remix = schedule(s, held, now) || remix;
        last = held;
    }
    if (remix && last) {
        s.remix(s, last->start, last);
        return;
    }
    const bool pauseHere = playListEmpty();
    if (pauseHere)
        pauseDevice(s);
    try {
        mixAndSend(s);
    } catch (...) {
        if (pauseHere)
            restartDevice(s);
        throw;
    }
    if (pauseHere)
        restartDevice(s);
}
