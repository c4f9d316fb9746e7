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

// A preloaded picture is the file as it was when the preload ran, handed out once; a
// later read, or one of a picture not preloaded, reads the file again.
TEST(ReadPng, PreloadedPicturesAreHandedOutOnceThenReadAgain) {
    ScratchDir scratch;
    QImage green(4, 4, QImage::Format_RGB32), red(4, 4, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    red.fill(qRgb(255, 0, 0));
    const QString path = scratch.filePath("p.png"), other = scratch.filePath("q.png");
    ASSERT_TRUE(green.save(path, "PNG"));
    ASSERT_TRUE(green.save(other, "PNG"));
    PreloadPngs({path, scratch.filePath("missing.png")});
    ForgetPreloadedPngs(); // waits for the thread: the file is decoded by now
    PreloadPngs({path});
    EXPECT_EQ(ReadPng(path).pixel(0, 0), qRgb(0, 255, 0));
    ASSERT_TRUE(red.save(path, "PNG"));
    EXPECT_EQ(ReadPng(path).pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(ReadPng(other).pixel(0, 0), qRgb(0, 255, 0));

    PreloadPngs({scratch.filePath("missing.png")});
    EXPECT_TRUE(ReadPng(scratch.filePath("missing.png")).isNull());
    ForgetPreloadedPngs();
}
