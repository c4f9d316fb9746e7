// The window's building blocks: the rounded outline pieces and the labels' auto sizing.
#include "shell/Region.h"
#include "shell/Widgets.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(RoundRectRegion, CutsTheFourCornersOnly) {
    const QRegion r = RoundRectRegion(QRect(0, 0, 255, 410), 10, 10);
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 255, 410));
    for (QPoint corner : {QPoint(0, 0), QPoint(254, 0), QPoint(0, 409), QPoint(254, 409)})
        EXPECT_FALSE(r.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(5, 0), QPoint(0, 5), QPoint(249, 409), QPoint(254, 404),
                          QPoint(4, 4), QPoint(127, 205)})
        EXPECT_TRUE(r.contains(inside)) << inside.x() << "," << inside.y();
}

TEST(RoundRectRegion, CornerIsSymmetric) {
    const QRect box(100, 50, 40, 30);
    const QRegion r = RoundRectRegion(box, 10, 10);
    for (int dx = 0; dx < 5; ++dx)
        for (int dy = 0; dy < 5; ++dy) {
            const bool tl = r.contains(QPoint(box.left() + dx, box.top() + dy));
            EXPECT_EQ(tl, r.contains(QPoint(box.right() - dx, box.top() + dy)));
            EXPECT_EQ(tl, r.contains(QPoint(box.left() + dx, box.bottom() - dy)));
            EXPECT_EQ(tl, r.contains(QPoint(box.right() - dx, box.bottom() - dy)));
            // The quarter ellipse is symmetric about its diagonal too.
            EXPECT_EQ(tl, r.contains(QPoint(box.left() + dy, box.top() + dx)));
        }
}

TEST(Labels, RightAlignedAutoSizeKeepsItsRightEdge) {
    QWidget host;
    TEtiqueta name("lblJugador2", {298, 437, 68, 13}, 11, Qt::AlignRight, &host);
    name.setAutoSize(true);
    name.setText("Player 2");
    const int right = name.geometry().right();
    name.setText("A much longer name");
    EXPECT_EQ(name.geometry().right(), right);
    EXPECT_LT(name.x(), 298);
    EXPECT_EQ(name.text(), "A much longer name");
}
