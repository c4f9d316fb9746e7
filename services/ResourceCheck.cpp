#include "services/ResourceCheck.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {

constexpr quint16 ZlibCompressed = 0x01;
constexpr quint16 Directory = 0x02;
constexpr quint16 ZstdCompressed = 0x04;
constexpr quint32 ZstdMagic = 0xFD2FB528;

// Big-endian reads over the file; every read is preceded by a has() check.
class Bytes {
public:
    explicit Bytes(const QByteArray &bytes)
        : p(reinterpret_cast<const uchar *>(bytes.constData())), n(bytes.size()) {}
    bool has(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset <= n && length <= n - offset;
    }
    qint64 size() const { return n; }
    uchar u8(qint64 at) const { return p[at]; }
    quint16 u16(qint64 at) const { return qFromBigEndian<quint16>(p + at); }
    quint32 u32(qint64 at) const { return qFromBigEndian<quint32>(p + at); }
    // Little-endian, as zstd writes its frame header.
    quint64 littleEndian(qint64 at, int length) const {
        quint64 v = 0;
        for (int i = length - 1; i >= 0; --i)
            v = v << 8 | p[at + i];
        return v;
    }

private:
    const uchar *p;
    qint64 n;
};

class Checker {
public:
    explicit Checker(const QByteArray &bytes) : b(bytes) {}
    QString run();

private:
    QString header();
    QString node(qint64 index, std::vector<qint64> &order);
    QString children(qint64 index, qint64 at, std::vector<qint64> &order);
    QString name(qint64 index, qint64 at) const;
    QString entry(qint64 index, qint64 at, quint16 flags) const;
    QString zstdFrame(qint64 index, qint64 at, qint64 length) const;

    Bytes b;
    qint64 tree = 0, data = 0, names = 0, nodeSize = 0, nodeSlots = 0;
    std::vector<bool> reached;
};

QString Checker::header() {
    if (b.size() > MaxResourceBytes)
        return QStringLiteral("%1 bytes, more than %2").arg(b.size()).arg(MaxResourceBytes);
    if (!b.has(0, 20) || b.u32(0) != 0x71726573) // "qres"
        return QStringLiteral("no resource file header");
    const quint32 version = b.u32(4);
    if (version < 1 || version > 3)
        return QStringLiteral("format version %1").arg(version);
    if (!b.has(0, version >= 3 ? 24 : 20))
        return QStringLiteral("header cut short");
    tree = b.u32(8);
    data = b.u32(12);
    names = b.u32(16);
    // Version 2 added an 8-byte modification time to every node.
    nodeSize = version >= 2 ? 22 : 14;
    if (!b.has(tree, nodeSize))
        return QStringLiteral("tree offset %1 outside the file").arg(tree);
    nodeSlots = (b.size() - tree) / nodeSize;
    return {};
}

// A name that is empty, "." or "..", or holds a "/", would make a path lead back up
// the tree, and a listing of it would never end.
QString Checker::name(qint64 index, qint64 at) const {
    const qint64 offset = names + b.u32(at);
    if (!b.has(offset, 6) || !b.has(offset + 6, 2 * qint64(b.u16(offset))))
        return QStringLiteral("name of node %1 outside the file").arg(index);
    const int length = b.u16(offset);
    bool dots = length <= 2;
    for (int i = 0; i < length; ++i) {
        const quint16 c = b.u16(offset + 6 + 2 * i);
        if (c == u'/')
            return QStringLiteral("name of node %1 holds a slash").arg(index);
        dots = dots && c == u'.';
    }
    if (index != 0 && dots)
        return QStringLiteral("node %1 has no usable name").arg(index);
    return {};
}

// Zstd keeps the decompressed size in the frame header; Qt allocates that much.
QString Checker::zstdFrame(qint64 index, qint64 at, qint64 length) const {
    if (length < 5 || b.littleEndian(at, 4) != ZstdMagic || (b.u8(at + 4) & 0x08))
        return QStringLiteral("entry %1 is not a zstd frame").arg(index);
    const uchar descriptor = b.u8(at + 4);
    const int sizeCode = descriptor >> 6;
    const bool singleSegment = descriptor & 0x20;
    const int dictionaryBytes[] = {0, 1, 2, 4};
    const int sizeBytes = sizeCode == 0 ? (singleSegment ? 1 : 0) : 1 << sizeCode;
    const qint64 sizeAt = at + 5 + (singleSegment ? 0 : 1) + dictionaryBytes[descriptor & 3];
    if (sizeBytes == 0 || sizeAt + sizeBytes > at + length)
        return QStringLiteral("entry %1 does not state its size").arg(index);
    quint64 size = b.littleEndian(sizeAt, sizeBytes);
    if (sizeBytes == 2)
        size += 256;
    if (size > quint64(MaxResourceBytes))
        return QStringLiteral("entry %1 claims %2 bytes").arg(index).arg(size);
    return {};
}

QString Checker::entry(qint64 index, qint64 at, quint16 flags) const {
    const qint64 block = data + b.u32(at + 10);
    if (!b.has(block, 4) || !b.has(block + 4, b.u32(block)))
        return QStringLiteral("data of node %1 outside the file").arg(index);
    const qint64 length = b.u32(block);
    if (flags == ZlibCompressed) {
        // zlib data starts with the decompressed size, which Qt allocates.
        if (length < 4)
            return QStringLiteral("entry %1 cut short").arg(index);
        if (b.u32(block + 4) > quint64(MaxResourceBytes))
            return QStringLiteral("entry %1 claims %2 bytes").arg(index).arg(b.u32(block + 4));
    } else if (flags == ZstdCompressed) {
        return zstdFrame(index, block + 4, length);
    } else if (flags != 0) {
        return QStringLiteral("node %1 has flags %2").arg(index).arg(flags);
    }
    return {};
}

// Each node may be reached once: no loops, no shared children, and Qt's search among
// siblings never leaves the nodes checked here.
QString Checker::children(qint64 index, qint64 at, std::vector<qint64> &order) {
    const qint64 count = b.u32(at + 6);
    const qint64 first = b.u32(at + 10);
    if (count == 0 || first + count > nodeSlots)
        return QStringLiteral("children of node %1 outside the tree").arg(index);
    for (qint64 child = first; child < first + count; ++child) {
        if (reached[size_t(child)])
            return QStringLiteral("node %1 reached twice").arg(child);
        reached[size_t(child)] = true;
        order.push_back(child);
    }
    return {};
}

QString Checker::node(qint64 index, std::vector<qint64> &order) {
    const qint64 at = tree + index * nodeSize;
    if (QString flaw = name(index, at); !flaw.isEmpty())
        return flaw;
    const quint16 flags = b.u16(at + 4);
    if (flags & Directory) {
        if (flags != Directory)
            return QStringLiteral("directory node %1 has flags %2").arg(index).arg(flags);
        return children(index, at, order);
    }
    if (index == 0)
        return QStringLiteral("the root is not a directory");
    return entry(index, at, flags);
}

QString Checker::run() {
    if (QString flaw = header(); !flaw.isEmpty())
        return flaw;
    reached.assign(size_t(nodeSlots), false);
    reached[0] = true;
    std::vector<qint64> order{0};
    for (size_t i = 0; i < order.size(); ++i)
        if (QString flaw = node(order[i], order); !flaw.isEmpty())
            return flaw;
    const qint64 highest = *std::max_element(order.begin(), order.end());
    if (highest + 1 != qint64(order.size()))
        return QStringLiteral("node slots left unused in the tree");
    return {};
}

} // namespace

QString ResourceFileFlaw(const QByteArray &bytes) {
    return Checker(bytes).run();
}
