#include "sound/MixerSession.h"

#include <QCoreApplication>

#include <new>

// The output engine: the device and its blocks, the stream clock, refilling and
// re-mixing. Mixing itself is in MixBlock.cpp.

namespace {

// Stands in for the hidden window that received the device's completion notices.
class CallbackWindow : public BlockDoneListener {
public:
    void blockDone() override { RefillBlocks(); }
};
CallbackWindow callbackWindow;

void appendToPlayList(TWaveBlock *block) {
    MixerEngine &e = engine();
    block->next = nullptr;
    if (e.playTail)
        e.playTail->next = block;
    else
        e.playHead = block;
    e.playTail = block;
}

void unlink(TWaveBlock *block) {
    MixerEngine &e = engine();
    TWaveBlock *previous = nullptr;
    for (TWaveBlock *b = e.playHead; b; previous = b, b = b->next) {
        if (b != block)
            continue;
        (previous ? previous->next : e.playHead) = b->next;
        if (e.playTail == b)
            e.playTail = previous;
        b->next = nullptr;
        return;
    }
}

void reclaimPlayList() {
    MixerEngine &e = engine();
    while (TWaveBlock *b = e.playHead) {
        e.playHead = b->next;
        b->next = nullptr;
        b->free = true;
    }
    e.playTail = nullptr;
}

void freeBlocks() {
    for (TWaveBlock *&b : engine().blocks) {
        delete b;
        b = nullptr;
    }
}

void resetDevice(TMixerSession &s) {
    const int32_t p = currentPosition(s);
    s.device->reset();
    SetPlaybackPosition(s, p);
}

void send(TMixerSession &s, TWaveBlock *block) {
    block->header.flags &= ~WHDR_DONE;
    if (!s.device->write(&block->header)) {
        block->header.flags |= WHDR_DONE;
        block->free = true;
        unlink(block);
        raise("Failed to write block to device");
    }
}

} // namespace

MixerEngine &engine() {
    static MixerEngine e;
    return e;
}

bool playListEmpty() {
    return engine().playHead == nullptr;
}

void pauseDevice(TMixerSession &s) {
    s.device->pause();
}
void restartDevice(TMixerSession &s) {
    s.device->restart();
}

void openDevice(TMixerSession &s) {
    if (s.device)
        return;
    int error = 0;
    std::unique_ptr<OutputDevice> device =
        s.audio->open(s.deviceNumber, s.format, &callbackWindow, error);
    if (!device)
        raise("Failed to open waveform output device #" + QString::number(error));
    for (TWaveBlock *&b : engine().blocks) {
        b = new (std::nothrow) TWaveBlock;
        if (!b) {
            freeBlocks();
            raise("Unable to allocate memory for waveform data.  Try making more memory "
                  "available by closing other applications.");
        }
        b->header.data = b->buffer;
        b->header.bufferLength = uint32_t(s.blockLength);
        b->header.flags = WHDR_DONE;
    }
    s.callbackWindow = &callbackWindow;
    s.device = device.release();
}

void closeDevice(TMixerSession &s) {
    if (!s.active || !s.device)
        return;
    resetDevice(s);
    reclaimPlayList();
    delete s.device;
    s.device = nullptr;
    freeBlocks();
    s.callbackWindow = nullptr;
}

int32_t PlaybackPosition(TMixerSession &s, bool fromDevice) {
    if (fromDevice) {
        const int64_t played = s.device ? s.device->bytesPlayed() : 0;
        return int32_t(played + s.clockOffset);
    }
    // 64-bit, so hours of uninterrupted output do not overflow the product.
    const int64_t elapsed = s.audio->milliseconds() - s.clockBase;
    int64_t p = elapsed * s.format.avgBytesPerSec / 1000;
    if (s.format.blockAlign >= 2 && (p & 1))
        --p;
    return int32_t(p);
}

int32_t currentPosition(TMixerSession &s) {
    return PlaybackPosition(s, s.deviceClock == 1);
}

void SetPlaybackPosition(TMixerSession &s, int32_t p) {
    const int64_t played = s.device ? s.device->bytesPlayed() : 0;
    s.clockOffset = int64_t(p) - played;
    s.clockBase = s.audio->milliseconds() - int64_t(p) * 1000 / s.format.avgBytesPerSec;
    s.MixPosition = p;
}

TWaveBlock *freeBlock(TMixerSession &s) {
    for (int i = 0; i < s.blockCount; ++i) {
        TWaveBlock *b = engine().blocks[i];
        if (b && b->free) {
            b->free = false;
            b->header.bufferLength = uint32_t(s.blockLength);
            b->header.data = b->buffer;
            return b;
        }
    }
    return nullptr;
}

void sendMixed(TMixerSession &s, TWaveBlock *block) {
    appendToPlayList(block);
    send(s, block);
}

void mixAndSend(TMixerSession &s) {
    while (MixBlock(s, freeBlock(s), true)) {
    }
}

void RefillBlocks() {
    TMixerSession *holder = engine().deviceHolder;
    if (!holder)
        return;
    TMixerSession &s = *holder;
    for (TWaveBlock *b = engine().playHead; b;) {
        TWaveBlock *next = b->next;
        if (b->header.flags & WHDR_DONE) {
            unlink(b);
            b->free = true;
        }
        b = next;
    }
    const int32_t now = PlaybackPosition(s, true);
    for (int c = 0; c < MixerChannels; ++c) {
        while (isBusy(s, c) && s.heads[c]->end <= now) {
            TChannelNode *node = s.heads[c];
            s.heads[c] = node->next;
            if (node->request.notify)
                QCoreApplication::postEvent(node->request.notify, new WaveDoneEvent(c, node->wave));
            returnNode(node);
        }
    }
    mixAndSend(s);
}

void RemixFull(TMixerSession &s, int32_t p, TChannelNode *) {
    s.MixPosition = p;
    reclaimPlayList();
    while (TWaveBlock *b = freeBlock(s)) {
        if (!MixBlock(s, b, false)) {
            b->free = true;
            break;
        }
        appendToPlayList(b);
    }
    const int32_t mixed = s.MixPosition;
    resetDevice(s);
    s.MixPosition = mixed;
    pauseDevice(s);
    TWaveBlock *next = engine().playHead;
    try {
        while (TWaveBlock *b = next) {
            next = b->next;
            send(s, b);
        }
    } catch (...) {
        // Blocks behind a refused one were never sent; they must not wait for a done.
        while (TWaveBlock *b = next) {
            next = b->next;
            unlink(b);
            b->free = true;
        }
        restartDevice(s);
        throw;
    }
    restartDevice(s);
}

void RemixShift(TMixerSession &s, int32_t, TChannelNode *request) {
    if (request) {
        const int64_t d = int64_t(s.MixPosition) - request->start;
        const int64_t start = std::min<int64_t>(request->start + d, EndOfTime);
        const int64_t end = std::min<int64_t>(request->end + d, EndOfTime);
        request->start = int32_t(start);
        request->end = start > end ? EndOfTime : int32_t(end);
    }
    RefillBlocks();
}
