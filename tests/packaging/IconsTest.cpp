#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QString iconPath(const QString &folder, const QString &suffix) {
    return QStringLiteral(COBALTIX_ICON_DIR "/%1/apps/" COBALTIX_APP_ID ".%2").arg(folder, suffix);
}

// The mean difference of the four channels, 0 to 255.
double meanDifference(const QImage &a, const QImage &b) {
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return double(sum) / (4.0 * a.width() * a.height());
}

} // namespace

// Each theme folder holds the icon at its own size: a wrong size is blurred or ignored by
// the desktop. The tile has rounded corners and an opaque gem in the middle.
TEST(Icons, EveryThemeSizeHoldsTheIconAtThatSize) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        SCOPED_TRACE(size);
        const QImage icon(iconPath(QStringLiteral("%1x%1").arg(size), "png"));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

// The scalable icon is the same painting as the pictures: drawn at 256 pixels it matches
// the 256-pixel picture but for the edges' smoothing.
TEST(Icons, ScalableIconDrawsTheSameGem) {
    QSvgRenderer svg(iconPath("scalable", "svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 32, 32));
    QImage drawn(256, 256, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    QPainter p(&drawn);
    svg.render(&p);
    p.end();
    const QImage picture =
        QImage(iconPath("256x256", "png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), drawn.size());
    EXPECT_LT(meanDifference(drawn, picture), 2.0);
}
