#include "engine/ReplayFormat.h"

#include <QByteArrayView>

#include <algorithm>
#include <limits>

const char ReplayMagic[ReplayMagicSize + 1] = "CobaltixReplay\r\n";

namespace {

using Bytes = std::vector<std::uint8_t>;

// Beyond any game's clock (thousands of years of play), and far from overflowing.
constexpr std::int64_t MaxTime = std::int64_t(1) << 48;
constexpr qsizetype MaxText = 65535;
constexpr qsizetype MaxWord = 64;
constexpr std::uint64_t MaxForced = 1000000;
constexpr int PackedCells = 7 * 16 / 2;

// What an entry is: moves 0..9 (player 1's five, then player 2's), a key by its code, a
// command, an answer, a key named by the number it was seen as, the end of the entries.
enum Op : int {
    FirstMove = 0,
    KeyOp = 10,
    CommandOp = 11,
    AnswerOp = 12,
    FirstKeyName = 13,
    EndOp = 63,
};
constexpr int OpBits = 6;
static_assert(FirstKeyName + ReplayCodec::KeyNames <= EndOp);

void putVarint(Bytes &out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(std::uint8_t(v | 0x80));
        v >>= 7;
    }
    out.push_back(std::uint8_t(v));
}

void putSigned(Bytes &out, std::int64_t v) {
    putVarint(out, (std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63));
}

void putFixed(Bytes &out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

void putText(Bytes &out, const QString &text) {
    const QByteArray utf8 = text.toUtf8().left(MaxText);
    putVarint(out, std::uint64_t(utf8.size()));
    out.insert(out.end(), utf8.begin(), utf8.end());
}

// Reads what the writers above write; any fault (past the end, out of range) makes
// ok false and every later read return zero.
struct Cursor {
    const std::uint8_t *p, *end;
    bool ok = true;
    bool ranOut = false; // the fault was reading past the end

    bool fail() { return ok = false; }
    bool atEnd() const { return p == end; }
    std::uint8_t byte() {
        if (!ok)
            return 0;
        if (p == end) {
            ranOut = true;
            return fail(), 0;
        }
        return *p++;
    }
    std::uint64_t varint() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = byte();
            if (!ok)
                return 0;
            if (shift == 63 && b > 1)
                return fail(), 0;
            v |= std::uint64_t(b & 0x7f) << shift;
            if (!(b & 0x80))
                return v;
        }
        return fail(), 0;
    }
    std::int64_t signedValue() {
        const std::uint64_t v = varint();
        return std::int64_t(v >> 1) ^ -std::int64_t(v & 1);
    }
    std::uint64_t fixed(int bytes) {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= std::uint64_t(byte()) << (8 * i);
        return ok ? v : 0;
    }
    // A value within min..max, else a fault.
    std::int64_t ranged(std::int64_t min, std::int64_t max) {
        const std::int64_t v = signedValue();
        if (v < min || v > max)
            return fail(), 0;
        return v;
    }
    std::uint64_t upTo(std::uint64_t max) {
        const std::uint64_t v = varint();
        if (v > max)
            return fail(), 0;
        return v;
    }
    QString text(qsizetype max) {
        const auto size = qsizetype(upTo(std::uint64_t(max)));
        if (ok && end - p < size)
            ranOut = true;
        if (!ok || end - p < size)
            return fail(), QString();
        const QString t = QString::fromUtf8(reinterpret_cast<const char *>(p), size);
        p += size;
        return t;
    }
};

void putStage(Bytes &out, const TFase &f) {
    std::uint8_t packed[PackedCells] = {};
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 16; ++r) {
            const int i = c * 16 + r;
            const auto code = std::uint8_t(f.Tablero[size_t(TBoard::index(c, r))] & 0x0f);
            packed[i / 2] |= std::uint8_t(i % 2 ? code << 4 : code);
        }
    out.insert(out.end(), packed, packed + PackedCells);
    putSigned(out, f.Objetivo);
    putVarint(out, std::uint64_t(std::max(f.Limite, 0)));
    out.push_back(std::uint8_t((f.RocasAzar ? 1 : 0) | (f.LineasRocas ? 2 : 0)));
}

bool readStage(Cursor &in, TFase &f) {
    f.Tablero.fill(Cell::Border);
    for (int i = 0; i < PackedCells; ++i) {
        const std::uint8_t b = in.byte();
        for (int half = 0; half < 2; ++half) {
            const int cell = 2 * i + half;
            f.Tablero[size_t(TBoard::index(cell / 16, cell % 16))] = half ? b >> 4 : b & 0x0f;
        }
    }
    // The simulator's stages may ask any target its script can set.
    f.Objetivo = std::int32_t(in.ranged(-1000000, 1000000));
    f.Limite = std::int32_t(in.upTo(MaxStageLimit));
    const std::uint8_t flags = in.byte();
    f.RocasAzar = flags & 1;
    f.LineasRocas = flags & 2;
    return in.ok && flags < 4 && f.Limite >= MinStageLimit && CheckStageBoard(f);
}

void putSetup(Bytes &out, const ReplaySetup &s) {
    putText(out, s.programVersion);
    putSigned(out, s.recordedAt);
    out.push_back(std::uint8_t(s.mode));
    putSigned(out, s.startTime);
    putVarint(out, s.randomState.size());
    for (std::uint32_t w : s.randomState)
        putFixed(out, w, 4);
    putVarint(out, s.forcedColours.size());
    for (int c : s.forcedColours)
        out.push_back(std::uint8_t(c));
    out.push_back(std::uint8_t((s.sound ? 1 : 0) | (s.hasStages ? 2 : 0)));
    for (std::uint16_t k : s.keys)
        putVarint(out, k);
    for (const ReplaySide &side : s.players) {
        putText(out, side.name);
        putText(out, side.controller.word.left(MaxWord));
        putText(out, side.controller.playerName);
        out.push_back(std::uint8_t((side.controller.takesKeys ? 1 : 0) |
                                   (side.controller.needsSteps ? 2 : 0)));
        for (int v : {side.gem1Col, side.gem1Row, side.gem1Colour, side.gem2Col, side.gem2Row,
                      side.gem2Colour})
            putSigned(out, v);
    }
    if (s.hasStages)
        for (const TFase &f : s.stages)
            putStage(out, f);
}

bool readSetup(Cursor &in, ReplaySetup &s) {
    s.programVersion = in.text(MaxWord);
    s.recordedAt = in.ranged(-MaxTime, MaxTime);
    const std::uint8_t mode = in.byte();
    s.mode = GameMode(mode);
    s.startTime = in.ranged(0, MaxTime);
    const std::uint64_t words = in.upTo(std::mt19937::state_size + 1);
    s.randomState.clear();
    for (std::uint64_t i = 0; in.ok && i < words; ++i)
        s.randomState.push_back(std::uint32_t(in.fixed(4)));
    const std::uint64_t forced = in.upTo(MaxForced);
    s.forcedColours.clear();
    for (std::uint64_t i = 0; in.ok && i < forced; ++i) {
        const std::uint8_t c = in.byte();
        if (c > 7)
            in.fail();
        s.forcedColours.push_back(c);
    }
    const std::uint8_t flags = in.byte();
    s.sound = flags & 1;
    s.hasStages = flags & 2;
    for (std::uint16_t &k : s.keys)
        k = std::uint16_t(in.upTo(65535));
    for (ReplaySide &side : s.players) {
        side.name = in.text(MaxText);
        side.controller.word = in.text(MaxWord);
        side.controller.playerName = in.text(MaxText);
        const std::uint8_t how = in.byte();
        side.controller.takesKeys = how & 1;
        side.controller.needsSteps = how & 2;
        if (how > 3)
            in.fail();
        side.gem1Col = int(in.ranged(-1, 7));
        side.gem1Row = int(in.ranged(-2, 16));
        side.gem1Colour = int(in.ranged(-1, 7));
        side.gem2Col = int(in.ranged(-1, 7));
        side.gem2Row = int(in.ranged(-2, 16));
        side.gem2Colour = int(in.ranged(-1, 7));
    }
    if (s.hasStages)
        for (TFase &f : s.stages)
            if (in.ok && !readStage(in, f))
                in.fail();
    TRandom probe;
    return in.ok && in.atEnd() && mode <= int(GameMode::OneToOne) && flags < 4 &&
           probe.setState(s.randomState, s.forcedColours);
}

// The key codes named so far, as the writer names them.
struct KeyNames {
    std::array<std::int32_t, ReplayCodec::KeyNames> codes{};
    int count = 0;
    int find(std::int32_t code) const {
        for (int i = 0; i < count; ++i)
            if (codes[size_t(i)] == code)
                return i;
        return -1;
    }
    void note(std::int32_t code) {
        if (count < ReplayCodec::KeyNames && find(code) < 0)
            codes[size_t(count++)] = code;
    }
};

// One entry; false at the end mark. Faults show in the cursor.
bool readEntry(Cursor &in, Replay &r, std::int64_t &time, KeyNames &names) {
    const std::uint64_t head = in.varint();
    if (!in.ok)
        return false;
    const int op = int(head & ((1 << OpBits) - 1));
    time += std::int64_t(head >> OpBits);
    if (op == EndOp || time > MaxTime || (head >> OpBits) > std::uint64_t(MaxTime)) {
        if (op != EndOp)
            in.fail();
        return false;
    }
    if (op < KeyOp) {
        r.inputs.push_back({time, Input::move(1 + op / 5, Move(op % 5))});
    } else if (op == KeyOp) {
        const auto code = std::int32_t(in.ranged(INT32_MIN, INT32_MAX));
        names.note(code);
        r.inputs.push_back({time, Input::key(code)});
    } else if (op >= FirstKeyName) {
        if (op - FirstKeyName >= names.count)
            return in.fail();
        r.inputs.push_back({time, Input::key(names.codes[size_t(op - FirstKeyName)])});
    } else if (op == CommandOp) {
        Input input;
        const std::uint8_t kind = in.byte();
        input.kind = InputKind(kind);
        input.player = in.byte();
        input.code = std::int32_t(in.ranged(INT32_MIN, INT32_MAX));
        // Keys and moves have entries of their own; a move here is one the game ignores.
        const bool move = input.kind == InputKind::MoveOf && input.player >= 1 &&
                          input.player <= 2 && input.code >= 0 && input.code < MoveCount;
        if (kind > std::uint8_t(InputKind::KeysDialog) || input.player > 2 ||
            input.kind == InputKind::Key || move)
            return in.fail();
        r.inputs.push_back({time, input});
    } else {
        Answer a;
        const std::uint8_t kind = in.byte();
        a.kind = AnswerKind(kind);
        a.value = int(in.ranged(INT32_MIN, INT32_MAX));
        a.first = in.text(MaxText);
        a.second = in.text(MaxText);
        if (a.kind == AnswerKind::Keys)
            for (std::uint16_t &k : a.keys)
                k = std::uint16_t(in.upTo(65535));
        if (kind > std::uint8_t(AnswerKind::Keys))
            return in.fail();
        r.answers.push_back({time, a});
    }
    return in.ok;
}

constexpr std::uint8_t MismatchFlag = 1;

bool readResult(Cursor &in, Replay &r, std::int64_t lastTime, int version) {
    ReplayResult result;
    const std::uint8_t how = in.byte();
    result.how = GameEnd(how);
    result.loser = in.byte();
    result.endTime = in.ranged(0, MaxTime);
    result.inputCount = std::uint32_t(in.upTo(r.inputs.size()));
    result.answerCount = std::uint32_t(in.upTo(r.answers.size()));
    for (int &p : result.points)
        p = int(in.ranged(INT32_MIN, INT32_MAX));
    result.stage = int(in.ranged(0, StageCount));
    result.stateHash = in.fixed(8);
    result.entryBytes = in.varint();
    result.entryCheck = std::uint32_t(in.fixed(4));
    // Version 1 results end here.
    const std::uint8_t flags = version >= 2 ? in.byte() : 0;
    if (flags & MismatchFlag) {
        ReplayMismatch m;
        m.step = std::uint32_t(in.upTo(0xffffffffu));
        m.ownHash = in.fixed(8);
        m.otherHash = in.fixed(8);
        result.mismatch = m;
    }
    if (flags & ~MismatchFlag)
        return false;
    if (!in.ok || !in.atEnd() || how > std::uint8_t(GameEnd::Completed) || result.loser > 2 ||
        (result.how == GameEnd::Lost) != (result.loser != 0) || result.endTime < lastTime)
        return false;
    r.inputs.resize(result.inputCount);
    r.answers.resize(result.answerCount);
    r.result = result;
    return true;
}

std::uint32_t fnv(std::uint32_t h, const std::uint8_t *from, const std::uint8_t *to) {
    for (; from != to; ++from)
        h = (h ^ *from) * 16777619u;
    return h;
}

} // namespace

std::int64_t Replay::endTime() const {
    if (result)
        return result->endTime;
    std::int64_t t = setup.startTime;
    if (!inputs.empty())
        t = std::max(t, inputs.back().time);
    if (!answers.empty())
        t = std::max(t, answers.back().time);
    return t;
}

namespace {

// A framed record: tag, length, payload, checksum of what precedes it.
void record(Bytes &out, char tag, const Bytes &payload) {
    const size_t start = out.size();
    out.push_back(std::uint8_t(tag));
    putVarint(out, payload.size());
    out.insert(out.end(), payload.begin(), payload.end());
    const quint16 sum = qChecksum(
        QByteArrayView(reinterpret_cast<const char *>(out.data() + start), out.size() - start));
    putFixed(out, sum, 2);
}

QByteArray bytesOf(const Bytes &b) {
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
}

} // namespace

QByteArray ReplayCodec::header(const ReplaySetup &setup) {
    Bytes payload, out;
    putSetup(payload, setup);
    out.insert(out.end(), ReplayMagic, ReplayMagic + ReplayMagicSize);
    putFixed(out, ReplayFormatVersion, 2);
    record(out, SetupTag, payload);
    return bytesOf(out);
}

void ReplayEntryWriter::head(Bytes &out, std::int64_t time, int op) {
    const std::int64_t step = std::max<std::int64_t>(time - lastTime, 0);
    lastTime += step;
    putVarint(out, (std::uint64_t(step) << OpBits) | std::uint64_t(op));
}

void ReplayEntryWriter::checked(const Bytes &out, size_t from) {
    check = fnv(check, out.data() + from, out.data() + out.size());
    entryBytes += out.size() - from;
}

void ReplayEntryWriter::input(Bytes &out, std::int64_t time, const Input &in) {
    const size_t from = out.size();
    if (in.kind == InputKind::MoveOf && (in.player == 1 || in.player == 2) && in.code >= 0 &&
        in.code < MoveCount) {
        head(out, time, FirstMove + 5 * (in.player - 1) + in.code);
    } else if (in.kind == InputKind::Key) {
        int name = -1;
        for (int i = 0; i < keyCount; ++i)
            if (keys[size_t(i)] == in.code)
                name = i;
        if (name >= 0) {
            head(out, time, FirstKeyName + name);
        } else {
            head(out, time, KeyOp);
            putSigned(out, in.code);
            if (keyCount < ReplayCodec::KeyNames)
                keys[size_t(keyCount++)] = in.code;
        }
    } else {
        head(out, time, CommandOp);
        out.push_back(std::uint8_t(in.kind));
        out.push_back(std::min<std::uint8_t>(in.player, 2));
        putSigned(out, in.code);
    }
    checked(out, from);
}

void ReplayEntryWriter::answer(Bytes &out, std::int64_t time, const Answer &a) {
    const size_t from = out.size();
    head(out, time, AnswerOp);
    out.push_back(std::uint8_t(a.kind));
    putSigned(out, a.value);
    putText(out, a.first);
    putText(out, a.second);
    if (a.kind == AnswerKind::Keys)
        for (std::uint16_t k : a.keys)
            putVarint(out, k);
    checked(out, from);
}

QByteArray ReplayEntryWriter::close(ReplayResult r) const {
    r.entryBytes = entryBytes;
    r.entryCheck = check;
    Bytes payload, out;
    out.push_back(EndOp);
    payload.push_back(std::uint8_t(r.how));
    payload.push_back(std::uint8_t(r.loser));
    putSigned(payload, r.endTime);
    putVarint(payload, r.inputCount);
    putVarint(payload, r.answerCount);
    for (int p : r.points)
        putSigned(payload, p);
    putSigned(payload, r.stage);
    putFixed(payload, r.stateHash, 8);
    putVarint(payload, r.entryBytes);
    putFixed(payload, r.entryCheck, 4);
    payload.push_back(r.mismatch ? MismatchFlag : 0);
    if (r.mismatch) {
        putVarint(payload, r.mismatch->step);
        putFixed(payload, r.mismatch->ownHash, 8);
        putFixed(payload, r.mismatch->otherHash, 8);
    }
    record(out, ReplayCodec::ResultTag, payload);
    return bytesOf(out);
}

namespace {

// Reads a framed record at the cursor: false when the file ends inside it (ranOut set)
// or its checksum fails.
bool readRecord(Cursor &file, char &tag, Cursor &payload) {
    const std::uint8_t *start = file.p;
    tag = char(file.byte());
    const std::uint64_t size = file.varint();
    if (!file.ok)
        return false;
    if (size > std::uint64_t(file.end - file.p) || file.end - file.p - qsizetype(size) < 2) {
        file.ranOut = true;
        return file.fail();
    }
    payload = Cursor{file.p, file.p + size};
    file.p += size;
    const quint16 sum =
        qChecksum(QByteArrayView(reinterpret_cast<const char *>(start), file.p - start));
    return file.fixed(2) == sum || file.fail();
}

// Where the end mark of a finished file lies: just before a result record whose checksum
// holds and which ends with the file; null when there is none.
const std::uint8_t *findResult(const std::uint8_t *from, const std::uint8_t *end) {
    constexpr qsizetype Longest = 128;
    for (const std::uint8_t *c = end - 3; c > from && end - c <= Longest; --c) {
        if (*c != std::uint8_t(ReplayCodec::ResultTag) || c[-1] != EndOp)
            continue;
        Cursor tail{c, end};
        char tag = 0;
        Cursor payload{nullptr, nullptr};
        if (readRecord(tail, tag, payload) && tail.atEnd())
            return c - 1;
    }
    return nullptr;
}

} // namespace

ReplayStatus ReadReplay(const QByteArray &bytes, Replay &replay) {
    const qsizetype known = std::min<qsizetype>(bytes.size(), ReplayMagicSize);
    if (bytes.left(known) != QByteArray(ReplayMagic, known))
        return {ReplayProblem::NotAReplay, 0, 0};
    if (bytes.size() < ReplayMagicSize + 2)
        return {ReplayProblem::Truncated, bytes.size(), 0};
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    const int version = data[ReplayMagicSize] | data[ReplayMagicSize + 1] << 8;
    if (version > ReplayFormatVersion)
        return {ReplayProblem::NewerVersion, ReplayMagicSize, version};
    if (version == 0)
        return {ReplayProblem::Corrupt, ReplayMagicSize, 0};
    const auto corrupt = [&](const std::uint8_t *at) {
        return ReplayStatus{ReplayProblem::Corrupt, at - data, version};
    };

    Replay r;
    Cursor file{data + ReplayMagicSize + 2, data + bytes.size()};
    char tag = 0;
    Cursor payload{nullptr, nullptr};
    const std::uint8_t *at = file.p;
    if (!readRecord(file, tag, payload))
        return file.ranOut ? ReplayStatus{ReplayProblem::Truncated, bytes.size(), version}
                           : corrupt(at);
    if (tag != ReplayCodec::SetupTag || !readSetup(payload, r.setup))
        return corrupt(at);

    // A finished file ends in the end mark and a whole result record: its entries must
    // then reach exactly there. Without one, they go as far as they go.
    const std::uint8_t *entries = file.p;
    const std::uint8_t *mark = findResult(entries, file.end);
    Cursor list{entries, mark ? mark : file.end};
    std::int64_t time = r.setup.startTime;
    KeyNames names;
    bool endMark = false;
    while (!list.atEnd()) {
        at = list.p;
        Cursor entry = list;
        const size_t inputs = r.inputs.size(), answers = r.answers.size();
        const std::int64_t before = time;
        if (readEntry(entry, r, time, names)) {
            list = entry;
            continue;
        }
        if (entry.ok) {
            endMark = true;
            list = entry;
            break;
        }
        // A killed game stops writing anywhere, even inside an entry.
        r.inputs.resize(inputs);
        r.answers.resize(answers);
        time = before;
        if (!entry.ranOut || mark)
            return corrupt(at);
        r.cutShort = true;
        break;
    }
    if (mark) {
        if (endMark || !list.atEnd())
            return corrupt(list.p);
        Cursor tail{mark + 1, file.end};
        readRecord(tail, tag, payload);
        if (tag != ReplayCodec::ResultTag || !readResult(payload, r, time, version))
            return corrupt(mark);
        if (r.result->entryBytes != std::uint64_t(mark - entries) ||
            r.result->entryCheck != fnv(2166136261u, entries, mark))
            return corrupt(entries);
    } else if (endMark) {
        // The end mark with no whole result after it: killed while completing the file.
        Cursor tail{list.p, file.end};
        if (readRecord(tail, tag, payload) || !tail.ranOut)
            return corrupt(list.p);
        r.cutShort = true;
    }
    replay = std::move(r);
    return {ReplayProblem::None, 0, version};
}
