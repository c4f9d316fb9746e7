#include "engine/ReplayFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Feeds arbitrary bytes to the replay reader as if they were a replay file. No input
// may crash, hang, leak or read outside the bytes; a replay it accepts must write back
// into bytes that read as the same game.

namespace {

QByteArray rewrite(const Replay &r) {
    QByteArray bytes = ReplayCodec::header(r.setup);
    std::vector<std::uint8_t> out;
    ReplayEntryWriter writer(r.setup.startTime);
    size_t a = 0;
    for (const InputLog::Entry &e : r.inputs) {
        for (; a < r.answers.size() && r.answers[a].time <= e.time; ++a)
            writer.answer(out, r.answers[a].time, r.answers[a].answer);
        writer.input(out, e.time, e.input);
    }
    for (; a < r.answers.size(); ++a)
        writer.answer(out, r.answers[a].time, r.answers[a].answer);
    bytes.append(reinterpret_cast<const char *>(out.data()), qsizetype(out.size()));
    if (r.result)
        bytes += writer.close(*r.result);
    return bytes;
}

bool sameGame(const Replay &a, const Replay &b) {
    if (a.inputs.size() != b.inputs.size() || a.answers.size() != b.answers.size() ||
        a.result.has_value() != b.result.has_value() ||
        (a.result && (a.result->how != b.result->how || a.result->endTime != b.result->endTime ||
                      a.result->stateHash != b.result->stateHash)) ||
        a.setup.randomState != b.setup.randomState || a.setup.stages != b.setup.stages ||
        a.setup.startTime != b.setup.startTime)
        return false;
    for (size_t i = 0; i < a.inputs.size(); ++i)
        if (a.inputs[i].time != b.inputs[i].time || !(a.inputs[i].input == b.inputs[i].input))
            return false;
    for (size_t i = 0; i < a.answers.size(); ++i)
        if (a.answers[i].time != b.answers[i].time ||
            a.answers[i].answer.kind != b.answers[i].answer.kind ||
            a.answers[i].answer.value != b.answers[i].answer.value)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Replay replay;
    if (!ReadReplay(bytes, replay).ok())
        return 0;
    Replay again;
    if (!ReadReplay(rewrite(replay), again).ok() || !sameGame(replay, again))
        std::abort();
    return 0;
}
