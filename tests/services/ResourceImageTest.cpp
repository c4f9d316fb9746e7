#include "services/ResourceImage.h"
#include "tests/services/ScratchDir.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

// PNG pictures read with the built-in reader; anything else, or nothing, is a null image
// (the callers then draw a plain picture of the right size).
TEST(ReadPng, ReadsPngAndRefusesTheRest) {
    ScratchDir scratch;
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(picture.save(scratch.filePath("ok.png"), "PNG"));
    const QImage read = ReadPng(scratch.filePath("ok.png"));
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), QSize(7, 5));
    EXPECT_EQ(read.pixel(3, 2), qRgb(10, 200, 30));

    // A JPEG named .png is not read by a plugin behind the program's back.
    if (picture.save(scratch.filePath("photo.png"), "JPG"))
        EXPECT_TRUE(ReadPng(scratch.filePath("photo.png")).isNull());

    QFile broken(scratch.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\x89PNG\r\n\x1a\n garbage", 17));
    broken.close();
    EXPECT_TRUE(ReadPng(scratch.filePath("broken.png")).isNull());
    EXPECT_TRUE(ReadPng(scratch.filePath("missing.png")).isNull());
}
