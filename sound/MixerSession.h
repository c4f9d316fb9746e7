#pragma once

#include "sound/SoundMix.h"

// The mixer's internal records, shared by its source files only.

constexpr uint16_t SessionTag = 0x5432;
constexpr int MixerChannels = 8;
constexpr int NodePoolSize = 100;
constexpr int BlockSlots = 6;
constexpr int MaxBlockLength = 4096;
constexpr int32_t EndOfTime = 2147483647;

// One scheduled play of a wave on a channel; taken from the fixed pool.
struct TChannelNode {
    TChannelNode *next = nullptr;
    TPlayRequest request;
    TMixerWave *wave = nullptr;
    int32_t length = 0;
    int32_t start = 0;
    int32_t end = 0;
    const uint8_t *data = nullptr;
};

struct TWaveBlock {
    WaveHeader header;
    bool free = true;
    int32_t start = 0;
    TWaveBlock *next = nullptr;
    uint8_t buffer[MaxBlockLength];
};

struct TMixerSession;
using RemixRoutine = void (*)(TMixerSession &, int32_t, TChannelNode *);

// A channel head is closed, open and idle (null), or the first node of its queue.
inline TChannelNode *const ClosedChannel = reinterpret_cast<TChannelNode *>(intptr_t(-1));

struct TMixerSession {
    uint16_t tag1 = 0;
    BlockDoneListener *callbackWindow = nullptr;
    OutputDevice *device = nullptr;
    bool active = false;
    int32_t deviceNumber = 0;
    char sectionName[32] = {};
    TChannelNode *heads[MixerChannels] = {};
    int32_t openChannels = 0;
    int32_t lastUse[MixerChannels] = {};
    int32_t playCounter = 0;
    WaveFormat format;
    int32_t blockLength = 0;
    int32_t blockCount = 0;
    int32_t MixPosition = 0;
    int64_t clockBase = 0;
    uint8_t deviceClock = 0;
    int64_t clockOffset = 0; // signed: positive adds to the device's byte count
    RemixRoutine remix = nullptr;
    TChannelNode *PendingList = nullptr; // tail of a circular list
    AudioSystem *audio = nullptr;
    uint16_t tag2 = 0;
};

// Process-wide state of the output engine.
struct MixerEngine {
    TMixerSession *deviceHolder = nullptr;
    TWaveBlock *blocks[BlockSlots] = {};
    TWaveBlock *playHead = nullptr;
    TWaveBlock *playTail = nullptr;
};
MixerEngine &engine();

[[noreturn]] void raise(const QString &message);
TMixerSession &validSession(TMixerSession *session);
bool isOpen(const TMixerSession &s, int channel);
bool isBusy(const TMixerSession &s, int channel);

// Node pool.
void resetNodePool();
TChannelNode *takeNode();
void returnNode(TChannelNode *node);
void returnQueue(TMixerSession &s, int channel);

// Output engine.
void openDevice(TMixerSession &s);
void closeDevice(TMixerSession &s);
int32_t PlaybackPosition(TMixerSession &s, bool fromDevice);
int32_t currentPosition(TMixerSession &s); // by the device-clock flag
void SetPlaybackPosition(TMixerSession &s, int32_t p);
TWaveBlock *freeBlock(TMixerSession &s);
bool MixBlock(TMixerSession &s, TWaveBlock *block, bool send);
void sendMixed(TMixerSession &s, TWaveBlock *block); // appends to the PlayList and sends
void mixAndSend(TMixerSession &s);
void RefillBlocks();
void RemixFull(TMixerSession &s, int32_t p, TChannelNode *request);
void RemixShift(TMixerSession &s, int32_t p, TChannelNode *request);
bool playListEmpty();
void pauseDevice(TMixerSession &s);
void restartDevice(TMixerSession &s);
