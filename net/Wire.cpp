#include "net/Wire.h"

namespace wire {
namespace {

class Writer {
public:
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u16(std::uint16_t v) { uint(v, 2); }
    void u32(std::uint32_t v) { uint(v, 4); }
    void u64(std::uint64_t v) { uint(v, 8); }
    void text(const std::string &s) {
        u8(std::uint8_t(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    std::vector<std::uint8_t> bytes;

private:
    void uint(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes.push_back(std::uint8_t(v >> (8 * i)));
    }
};

// Reads until the first fault; after one, every read fails and ok() stays false.
class Reader {
public:
    Reader(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}
    bool u8(std::uint8_t &v) {
        std::uint64_t x;
        return uint(x, 1) && (v = std::uint8_t(x), true);
    }
    bool u16(std::uint16_t &v) {
        std::uint64_t x;
        return uint(x, 2) && (v = std::uint16_t(x), true);
    }
    bool u32(std::uint32_t &v) {
        std::uint64_t x;
        return uint(x, 4) && (v = std::uint32_t(x), true);
    }
    bool u64(std::uint64_t &v) { return uint(v, 8); }
    bool text(std::string &s, std::size_t limit) {
        std::uint8_t n;
        if (!u8(n) || n > limit || size - at < n)
            return fail();
        s.assign(reinterpret_cast<const char *>(data + at), n);
        at += n;
        return true;
    }
    bool atEnd() const { return good && at == size; }

private:
    bool fail() { return good = false; }
    bool uint(std::uint64_t &v, int n) {
        if (!good || size - at < std::size_t(n))
            return fail();
        v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t(data[at + std::size_t(i)]) << (8 * i);
        at += std::size_t(n);
        return true;
    }
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at = 0;
    bool good = true;
};

struct EncodeVisitor {
    Writer &w;
    void operator()(const Hello &m) {
        w.u8(std::uint8_t(Type::Hello));
        w.u32(Magic);
        w.u16(m.protocol);
        w.text(m.version);
        w.text(m.name);
        if (m.protocol >= PlayerWordProtocol)
            w.text(m.player);
    }
    void operator()(const Refuse &m) {
        w.u8(std::uint8_t(Type::Refuse));
        w.u32(Magic);
        w.u16(m.protocol);
        w.text(m.version);
    }
    void operator()(const Start &m) {
        w.u8(std::uint8_t(Type::Start));
        w.u16(m.game);
        w.u32(m.seed);
        w.u8(m.delay);
        w.u32(m.limit);
    }
    void operator()(const Pause &m) {
        w.u8(std::uint8_t(Type::Pause));
        w.u16(m.game);
        w.u32(m.step);
    }
    void operator()(const Hash &m) {
        w.u8(std::uint8_t(Type::Hash));
        w.u16(m.game);
        w.u32(m.step);
        w.u64(m.hash);
        w.u8(m.final ? 1 : 0);
    }
    void operator()(const Leave &m) {
        w.u8(std::uint8_t(Type::Leave));
        w.u8(std::uint8_t(m.reason));
    }
    void operator()(const Inputs &m) {
        w.u8(std::uint8_t(Type::Inputs));
        w.u16(m.game);
        w.u32(m.seq);
        w.u32(m.ack);
        w.u32(m.through);
        w.u16(m.pauses);
        w.u8(std::uint8_t(m.moves.size()));
        for (const StepMove &s : m.moves) {
            w.u32(s.step);
            w.u8(s.move);
        }
    }
    void operator()(const Ping &m) {
        w.u8(std::uint8_t(Type::Ping));
        w.u32(m.nonce);
    }
    void operator()(const Pong &m) {
        w.u8(std::uint8_t(Type::Pong));
        w.u32(m.nonce);
    }
};

bool readMagic(Reader &r) {
    std::uint32_t magic;
    return r.u32(magic) && magic == Magic;
}

std::optional<Message> decodeHello(Reader &r) {
    Hello m;
    if (!readMagic(r) || !r.u16(m.protocol) || !r.text(m.version, MaxVersionBytes) ||
        !r.text(m.name, MaxNameBytes) || !IsValidVersion(m.version) || !IsValidName(m.name))
        return {};
    if (m.protocol >= PlayerWordProtocol &&
        (!r.text(m.player, MaxPlayerWordBytes) || !IsValidPlayerWord(m.player)))
        return {};
    return m;
}

std::optional<Message> decodeRefuse(Reader &r) {
    Refuse m;
    if (!readMagic(r) || !r.u16(m.protocol) || !r.text(m.version, MaxVersionBytes) ||
        !IsValidVersion(m.version))
        return {};
    return m;
}

std::optional<Message> decodeStart(Reader &r) {
    Start m;
    if (!r.u16(m.game) || !r.u32(m.seed) || !r.u8(m.delay) || !r.u32(m.limit))
        return {};
    return m;
}

std::optional<Message> decodePause(Reader &r) {
    Pause m;
    if (!r.u16(m.game) || !r.u32(m.step))
        return {};
    return m;
}

std::optional<Message> decodeHash(Reader &r) {
    Hash m;
    std::uint8_t final;
    if (!r.u16(m.game) || !r.u32(m.step) || !r.u64(m.hash) || !r.u8(final) || final > 1)
        return {};
    m.final = final == 1;
    return m;
}

std::optional<Message> decodeLeave(Reader &r) {
    std::uint8_t reason;
    if (!r.u8(reason) || reason < 1 || reason > LastLeaveReason)
        return {};
    return Leave{LeaveReason(reason)};
}

// Moves in step order, none past `through`, each a move of the vocabulary.
std::optional<Message> decodeInputs(Reader &r) {
    Inputs m;
    std::uint8_t count;
    if (!r.u16(m.game) || !r.u32(m.seq) || !r.u32(m.ack) || !r.u32(m.through) || !r.u16(m.pauses) ||
        !r.u8(count) || count > MaxMovesPerPacket)
        return {};
    m.moves.resize(count);
    std::uint32_t last = 0;
    for (StepMove &s : m.moves) {
        if (!r.u32(s.step) || !r.u8(s.move) || s.move >= MoveCodes || s.step < last ||
            s.step > m.through)
            return {};
        last = s.step;
    }
    return m;
}

std::optional<Message> decodePing(Reader &r, bool pong) {
    std::uint32_t nonce;
    if (!r.u32(nonce))
        return {};
    if (pong)
        return Pong{nonce};
    return Ping{nonce};
}

std::optional<Message> decodeBody(Type type, Reader &r) {
    switch (type) {
    case Type::Hello:
        return decodeHello(r);
    case Type::Refuse:
        return decodeRefuse(r);
    case Type::Start:
        return decodeStart(r);
    case Type::Pause:
        return decodePause(r);
    case Type::Hash:
        return decodeHash(r);
    case Type::Leave:
        return decodeLeave(r);
    case Type::Inputs:
        return decodeInputs(r);
    case Type::Ping:
        return decodePing(r, false);
    case Type::Pong:
        return decodePing(r, true);
    }
    return {};
}

} // namespace

std::vector<std::uint8_t> Encode(const Message &message) {
    Writer w;
    std::visit(EncodeVisitor{w}, message);
    return std::move(w.bytes);
}

std::optional<Message> Decode(const std::uint8_t *data, std::size_t size) {
    if (!data || size == 0 || size > MaxMessageBytes)
        return {};
    Reader r(data, size);
    std::uint8_t type;
    r.u8(type);
    std::optional<Message> m = decodeBody(Type(type), r);
    if (!m || !r.atEnd())
        return {};
    return m;
}

// Overlong forms, surrogates and code points past U+10FFFF are refused, as are the C0
// and C1 controls and DEL: a name is shown in labels and stored in tables.
bool IsValidName(const std::string &text) {
    if (text.size() > MaxNameBytes)
        return false;
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned c = s[i];
        std::uint32_t cp;
        std::size_t len;
        if (c < 0x80) {
            cp = c, len = 1;
        } else if (c >= 0xc2 && c <= 0xdf) {
            cp = c & 0x1f, len = 2;
        } else if (c >= 0xe0 && c <= 0xef) {
            cp = c & 0x0f, len = 3;
        } else if (c >= 0xf0 && c <= 0xf4) {
            cp = c & 0x07, len = 4;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xc0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3f);
        }
        const std::uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[len] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
            return false;
        if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0))
            return false;
        i += len;
    }
    return true;
}

bool IsValidVersion(const std::string &text) {
    if (text.empty() || text.size() > MaxVersionBytes)
        return false;
    for (char c : text)
        if (c < 0x21 || c > 0x7e)
            return false;
    return true;
}

bool IsValidPlayerWord(const std::string &text) {
    if (text.size() > MaxPlayerWordBytes)
        return false;
    for (char c : text)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'))
            return false;
    return true;
}

} // namespace wire
