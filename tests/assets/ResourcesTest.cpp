// The pictures and sounds reach the program through a static library; these tests
// link it the same way and read every resource back.
#include "assets/AssetPaths.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char *name;
    int width;
    int height;
};

const Expected WindowPictures[] = {
    {"imgFichaAND", 35, 25},     {"imgRojaXOR", 35, 25},       {"imgVerdeXOR", 35, 25},
    {"imgAzulXOR", 35, 25},      {"imgAmarillaXOR", 35, 25},   {"imgMagentaXOR", 35, 25},
    {"imgComodinXOR", 35, 25},   {"imgRocaXOR", 35, 25},       {"imgFondoVacio", 245, 400},
    {"imgGameOverAND", 210, 87}, {"imgGameOverXOR", 210, 87},  {"imgStatus", 255, 40},
    {"imgAni1", 300, 74},        {"imgAni2", 300, 74},         {"imgAni3", 300, 74},
    {"imgAni4", 300, 74},        {"imgAni5", 300, 74},         {"imgIcon", 32, 32},
    {"imgIcon48", 48, 48},       {"imgIcon64", 64, 64},        {"imgIcon128", 128, 128},
    {"imgIcon256", 256, 256},    {"BMP_SCOREBOARD", 110, 425}, {"BMP_PAUSE", 222, 35},
    {"BMP_PAUSE_AND", 222, 35},
};

// Guards against the resource initialiser being dropped when linking statically.
TEST(AssetResources, EveryPictureLoadsAtItsSize) {
    for (const Expected &e : WindowPictures) {
        const QImage image(assets::artPath(e.name));
        ASSERT_FALSE(image.isNull()) << e.name;
        EXPECT_EQ(image.size(), QSize(e.width, e.height)) << e.name;
    }
}

TEST(AssetResources, EverySoundIsAWaveResourceWithoutExtension) {
    for (const char *name :
         {"SND_DEPOSITAR", "SND_ELIMINAR", "SND_NIVEL", "SND_ROCAS", "SND_LINEAS", "SND_FASE"}) {
        QFile file(assets::wavePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.read(4), QByteArray("RIFF")) << name;
    }
}

} // namespace
