#pragma once

#include "engine/Game.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

// Headless surroundings for a game, shared by the simulator, the engine tests and the
// benchmarks: views that only remember what was shown, and the bindings over them.
// Not part of the product.

// A label that remembers its text and counts immediate repaints.
class RecordingLabel : public ILabel {
public:
    void setText(const QString &t) override { value = t; }
    QString text() const override { return value; }
    void repaint() override { ++repaints; }
    QString value;
    int repaints = 0;
};

// A picture in memory, filled with one pixel value; counts immediate repaints.
class RecordingImage : public IImageView {
public:
    RecordingImage(QSize size, QRgb fill) : picture(size, QImage::Format_RGB32) {
        picture.fill(fill);
    }
    QImage &image() override { return picture; }
    void repaint() override { ++repaints; }
    QImage picture;
    int repaints = 0;
};

// Both players' wells, previews and labels, and the stage label.
class HeadlessViews {
public:
    explicit HeadlessViews(QRgb fill = 0xff000000);

    struct Player {
        explicit Player(QRgb fill) : well({245, 400}, fill), preview({70, 25}, fill) {}
        RecordingImage well, preview;
        RecordingLabel points, eliminated, status, rocks, level, name;
    };
    std::array<Player, 2> players;
    RecordingLabel stage;

    // Bindings over these views (pictures and labels optional) and the host.
    GameBindings bindings(IGameHost *host, bool pictures = true, bool labels = true);
    Player &player(int n) { return players[size_t(n == 2 ? 1 : 0)]; }
};

// A stage with an empty well: wall ring, limit, target and rock settings.
TFase PlainStage(int limit, int target, bool randomRocks = false, bool rockLines = false);

// A hash of both wells' pixels, to compare games picture for picture.
std::uint64_t WellsHash(HeadlessViews &views);
std::uint64_t ImageHash(const QImage &image, std::uint64_t seed = 1469598103934665603ull);
