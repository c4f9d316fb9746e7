// The language module's structure check: every form Qt's rcc writes passes, and a
// damaged module is refused before Qt's resource reader, which trusts every offset,
// can read outside it.
#include "services/ResourceCheck.h"
#include "services/LanguageModule.h"
#include "tests/services/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <string_view>

namespace {

const QString Root = QStringLiteral("/module-check");

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray builtModule() {
    return readFile(QStringLiteral(COBALTIX_TEST_LANGUAGE_MODULE));
}

QStringList variantFiles() {
    const QDir dir(QStringLiteral(COBALTIX_TEST_MODULE_VARIANTS));
    QStringList files;
    for (const QString &name : dir.entryList({QStringLiteral("esp-*.dll")}, QDir::Files))
        files << dir.filePath(name);
    return files;
}

quint32 be32(const QByteArray &b, qsizetype at) {
    return qFromBigEndian<quint32>(b.constData() + at);
}

void setBe32(QByteArray &b, qsizetype at, quint32 v) {
    qToBigEndian(v, b.data() + at);
}

// Where the parts of a module lie, read from its header.
struct Layout {
    explicit Layout(const QByteArray &b)
        : version(be32(b, 4)), tree(be32(b, 8)), data(be32(b, 12)), names(be32(b, 16)),
          nodeSize(version >= 2 ? 22 : 14) {}
    qsizetype node(int n) const { return tree + n * nodeSize; }
    quint32 version;
    qsizetype tree, data, names, nodeSize;
};

// The first node of the built module that is a file, and its data block.
int firstFileNode(const QByteArray &b) {
    const Layout l(b);
    for (int n = 1;; ++n)
        if ((qFromBigEndian<quint16>(b.constData() + l.node(n) + 4) & 2) == 0)
            return n;
}

// Gives node n a shorter name in place.
void renameNode(QByteArray &b, int n, std::u16string_view name) {
    const qsizetype at = Layout(b).names + be32(b, Layout(b).node(n));
    qToBigEndian<quint16>(quint16(name.size()), b.data() + at);
    for (size_t i = 0; i < name.size(); ++i)
        qToBigEndian<quint16>(name[i], b.data() + at + 6 + 2 * qsizetype(i));
}

// Loads the bytes as a module; a refused module must say why.
bool loads(const QByteArray &bytes, QString *why = nullptr) {
    QString reason;
    const bool ok = LanguageModule::fromBytes(bytes, Root, &reason) != nullptr;
    if (!ok) {
        EXPECT_FALSE(reason.isEmpty());
    }
    if (why)
        *why = reason;
    return ok;
}

} // namespace

TEST(ModuleCheck, EveryFormRccWritesLoadsWithItsTexts) {
    const QStringList files = QStringList{COBALTIX_TEST_LANGUAGE_MODULE} + variantFiles();
    ASSERT_EQ(files.size(), 5);
    for (const QString &file : files) {
        const QByteArray bytes = readFile(file);
        EXPECT_EQ(ResourceFileFlaw(bytes), "") << qPrintable(file);
        QString why;
        const auto module = LanguageModule::load(file, Root, &why);
        ASSERT_TRUE(module) << qPrintable(file) << " " << qPrintable(why);
        EXPECT_EQ(module->texts().text(12000), "Jugador 1") << qPrintable(file);
        EXPECT_TRUE(QFile(":/module-check/BMP_PAUSE.png").open(QIODevice::ReadOnly))
            << qPrintable(file);
    }
    EXPECT_FALSE(QFile::exists(":/module-check/strings.txt")) << "released with the module";
}

TEST(ModuleCheck, DamagedHeaderIsRefused) {
    const QByteArray good = builtModule();
    const std::vector<std::pair<const char *, std::function<void(QByteArray &)>>> damages{
        {"empty", [](QByteArray &b) { b.clear(); }},
        {"cut in the header", [](QByteArray &b) { b.truncate(22); }},
        {"magic", [](QByteArray &b) { b[0] = 'Q'; }},
        {"version 0", [](QByteArray &b) { setBe32(b, 4, 0); }},
        {"version 4", [](QByteArray &b) { setBe32(b, 4, 4); }},
        {"tree past the end", [](QByteArray &b) { setBe32(b, 8, quint32(b.size())); }},
        {"tree at 4 GiB", [](QByteArray &b) { setBe32(b, 8, 0xFFFFFFF0); }},
        {"names at 4 GiB", [](QByteArray &b) { setBe32(b, 16, 0xFFFFFFF0); }},
        {"data at 4 GiB", [](QByteArray &b) { setBe32(b, 12, 0xFFFFFFF0); }},
    };
    for (const auto &[name, damage] : damages) {
        QByteArray bytes = good;
        damage(bytes);
        EXPECT_FALSE(loads(bytes)) << name;
    }
}

TEST(ModuleCheck, DamagedTreeIsRefused) {
    const QByteArray good = builtModule();
    const Layout l(good);
    const int file = firstFileNode(good);
    const std::vector<std::pair<const char *, std::function<void(QByteArray &)>>> damages{
        {"name outside", [&](QByteArray &b) { setBe32(b, l.node(file), 0x7FFFFFFF); }},
        {"name longer than the file",
         [&](QByteArray &b) { qToBigEndian<quint16>(0xFFFF, b.data() + l.names); }},
        {"data outside", [&](QByteArray &b) { setBe32(b, l.node(file) + 10, 0x7FFFFFFF); }},
        {"entry claims 4 GiB",
         [&](QByteArray &b) { setBe32(b, l.data + be32(b, l.node(file) + 10), 0xFFFFFFFF); }},
        {"children outside", [&](QByteArray &b) { setBe32(b, l.node(0) + 10, 1000); }},
        {"child count of 4 Gi", [&](QByteArray &b) { setBe32(b, l.node(0) + 6, 0xFFFFFFFF); }},
        {"no children", [&](QByteArray &b) { setBe32(b, l.node(0) + 6, 0); }},
        {"root among its children", [&](QByteArray &b) { setBe32(b, l.node(0) + 10, 0); }},
        {"root a file", [&](QByteArray &b) { b[l.node(0) + 5] = 0; }},
        {"unknown flags", [&](QByteArray &b) { b[l.node(file) + 5] = 8; }},
        {"compressed directory", [&](QByteArray &b) { b[l.node(0) + 5] = 3; }},
        {"gap in the node numbers",
         [&](QByteArray &b) {
             b.append(QByteArray(l.nodeSize, '\0'));
             setBe32(b, l.node(0) + 10, 2);
         }},
        {"cut in the tree", [&](QByteArray &b) { b.chop(1); }},
        // Names that lead back up the tree: listing it would never end.
        {"empty name", [&](QByteArray &b) { renameNode(b, file, u""); }},
        {"name \".\"", [&](QByteArray &b) { renameNode(b, file, u"."); }},
        {"name \"..\"", [&](QByteArray &b) { renameNode(b, file, u".."); }},
        {"name with a slash", [&](QByteArray &b) { renameNode(b, file, u"a/b"); }},
    };
    for (const auto &[name, damage] : damages) {
        QByteArray bytes = good;
        damage(bytes);
        QString why;
        EXPECT_FALSE(loads(bytes, &why)) << name;
    }
}

TEST(ModuleCheck, CompressedEntryClaimingTooMuchIsRefused) {
    for (const QString &file : variantFiles()) {
        if (!file.contains("zlib") && !file.contains("zstd"))
            continue;
        const QByteArray good = readFile(file);
        const Layout l(good);
        const int node = 1; // strings.txt, compressed in both
        const qsizetype flags = l.node(node) + 4;
        ASSERT_NE(qFromBigEndian<quint16>(good.constData() + flags) & 5, 0) << qPrintable(file);
        const qsizetype payload = l.data + be32(good, l.node(node) + 10) + 4;
        QByteArray bytes = good;
        if (file.contains("zlib")) {
            setBe32(bytes, payload, 0xFFFFFFF0);
        } else {
            // An 8-byte content size field claiming 1 TiB.
            bytes[payload + 4] = char(0xC0 | (bytes[payload + 4] & 0x3F));
            const qsizetype sizeAt = payload + 5 + ((bytes[payload + 4] & 0x20) ? 0 : 1);
            qToLittleEndian<quint64>(quint64(1) << 40, bytes.data() + sizeAt);
        }
        QString why;
        EXPECT_FALSE(loads(bytes, &why)) << qPrintable(file);
        EXPECT_TRUE(why.contains("claims")) << qPrintable(file) << " " << qPrintable(why);
    }
}

TEST(ModuleCheck, FileLargerThanTheCapIsRefusedUnread) {
    QTemporaryDir dir;
    QFile big(dir.filePath("esp.dll"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(builtModule());
    ASSERT_TRUE(big.resize(MaxResourceBytes + 1));
    big.close();
    QString why;
    EXPECT_FALSE(LanguageModule::load(big.fileName(), Root, &why));
    EXPECT_TRUE(why.contains("more than")) << qPrintable(why);
}

// One changed byte anywhere in the header or the tree used to crash the reader.
TEST(ModuleCheck, AnyOneChangedByteOfHeaderOrTreeIsRefusedOrReadSafely) {
    const QByteArray good = builtModule();
    const Layout l(good);
    std::vector<qsizetype> offsets;
    for (qsizetype i = 0; i < 24; ++i)
        offsets.push_back(i);
    for (qsizetype i = l.tree; i < good.size(); ++i)
        offsets.push_back(i);
    int refused = 0;
    for (qsizetype at : offsets) {
        for (uchar value : {uchar(0x00), uchar(0x7F), uchar(0xFF), uchar(good[at] + 1)}) {
            QByteArray bytes = good;
            bytes[at] = char(value);
            const auto module = LanguageModule::fromBytes(bytes, Root);
            if (!module) {
                ++refused;
                continue;
            }
            // Accepted: every entry reads without leaving the buffer (the sanitizer
            // watches).
            for (const char *name :
                 {"strings.txt", "BMP_SCOREBOARD.png", "BMP_PAUSE_AND.png", "BMP_PAUSE.png"}) {
                QFile entry(QStringLiteral(":/module-check/") + QLatin1String(name));
                if (entry.open(QIODevice::ReadOnly))
                    entry.readAll();
            }
        }
    }
    EXPECT_GT(refused, int(offsets.size()));
}
