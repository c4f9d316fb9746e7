// The window's building blocks: the rounded outline pieces and the labels' auto sizing.
#include "shell/Region.h"
#include "shell/Widgets.h"

#include <QPaintEvent>
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

namespace {
// Records the regions painted on a widget.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget *w) { w->installEventFilter(this); }
    QList<QRegion> regions;

protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            regions << static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};
} // namespace

TEST(Repaints, PictureShownNowIsOnlyWhatChangedAtTheScale) {
    // The game asks for the whole well at every landing; at x3 that is nine times the
    // pixels of what changed.
    QWidget host;
    host.resize(800, 1300);
    TImagen well("imgFondo1", {5, 5, 245, 400}, &host);
    well.setPicture(QImage(245, 400, QImage::Format_RGB32));
    well.setScale({3, {}});
    host.show();
    QTest::qWait(20);
    PaintLog log(&well);
    well.repaint();
    EXPECT_TRUE(log.regions.isEmpty()) << "nothing changed, nothing to paint";
    well.changed({35, 25, 35, 50});
    well.repaint();
    ASSERT_EQ(log.regions.size(), 1);
    EXPECT_EQ(log.regions[0], QRegion(105, 75, 105, 150));
    QTest::qWait(20);
    EXPECT_EQ(log.regions.size(), 1) << "the queued update was painted already";
}

TEST(Repaints, LabelShownNowOnlyWhenItsTextChanged) {
    QWidget host;
    TEtiqueta rocks("lblRocas1", {15, 422, 181, 13}, 11, Qt::AlignLeft, &host);
    host.show();
    QTest::qWait(20);
    PaintLog log(&rocks);
    rocks.setText("Gems remaining: 12");
    rocks.repaint();
    EXPECT_EQ(log.regions.size(), 1);
    rocks.setText("Gems remaining: 12");
    rocks.repaint();
    EXPECT_EQ(log.regions.size(), 1);
    EXPECT_EQ(rocks.text(), "Gems remaining: 12");
}
