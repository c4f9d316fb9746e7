#include "harness/Harness.h"

HeadlessViews::HeadlessViews(QRgb fill) : players{Player(fill), Player(fill)} {}

GameBindings HeadlessViews::bindings(IGameHost *host, bool pictures, bool labels) {
    GameBindings b;
    for (int n = 1; n <= 2; ++n) {
        Player &f = player(n);
        PlayerViews &v = b.Players[size_t(n - 1)];
        if (pictures) {
            v.Well = &f.well;
            v.Preview = &f.preview;
        }
        if (!labels)
            continue;
        v.PointsLabel = &f.points;
        v.EliminatedLabel = &f.eliminated;
        v.StatusLabel = &f.status;
        v.RocksLabel = &f.rocks;
        v.LevelLabel = &f.level;
        v.NameLabel = &f.name;
    }
    if (labels)
        b.StageLabel = &stage;
    b.Host = host;
    return b;
}

TFase PlainStage(int limit, int target, bool randomRocks, bool rockLines) {
    TFase f;
    for (int c = -1; c <= 7; ++c)
        for (int r = -1; r <= 16; ++r)
            f.Tablero[size_t(TBoard::index(c, r))] = c < 0 || c > 6 || r < 0 || r > 15 ? -1 : 0;
    f.Limite = limit;
    f.Objetivo = target;
    f.RocasAzar = randomRocks;
    f.LineasRocas = rockLines;
    return f;
}

// FNV-1a over the pixels, row by row.
std::uint64_t ImageHash(const QImage &image, std::uint64_t h) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            h ^= line[x] & 0xffffffu;
            h *= 1099511628211ull;
        }
    }
    return h;
}

std::uint64_t WellsHash(HeadlessViews &views) {
    return ImageHash(views.player(2).well.picture, ImageHash(views.player(1).well.picture));
}
