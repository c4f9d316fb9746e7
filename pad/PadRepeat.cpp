#include "pad/PadRepeat.h"

#include <algorithm>

void PadRepeat::press(int pad, int code, std::int64_t now) {
    release(pad, code);
    held.push_back({pad, code, now + delay});
}

void PadRepeat::release(int pad, int code) {
    std::erase_if(held, [&](const Held &h) { return h.pad == pad && h.code == code; });
}

void PadRepeat::releasePad(int pad) {
    std::erase_if(held, [&](const Held &h) { return h.pad == pad; });
}

std::vector<std::pair<int, int>> PadRepeat::due(std::int64_t now) {
    std::vector<std::pair<int, int>> repeats;
    for (Held &h : held) {
        if (h.next > now)
            continue;
        repeats.emplace_back(h.pad, h.code);
        h.next += interval;
        if (h.next <= now)
            h.next = now + interval;
    }
    return repeats;
}
