#include "sound/OutputDevice.h"

namespace {
AudioSystem *chosen = nullptr;
}

AudioSystem &currentAudioSystem() {
    return chosen ? *chosen : *defaultAudioSystem();
}

void setAudioSystem(AudioSystem *system) {
    chosen = system;
}
