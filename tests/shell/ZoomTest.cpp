// Window sizes and full screen: the pictures drawn by whole pixels at every factor, the
// outline, the buttons, the drag, the stored factor and the device pixel ratio.
#include "WindowFixture.h"

#include "services/Settings.h"
#include "shell/Cristal.h"
#include "shell/Layout.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

// Readable failures.
void PrintTo(const PixelScale &s, std::ostream *out) {
    *out << "x" << s.factor << " at " << s.origin.x() << "," << s.origin.y();
}

namespace {

// Every pixel of small as a square of factor x factor pixels.
QImage blownUp(const QImage &small, int factor) {
    QImage big(small.size() * factor, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, small.pixel(x / factor, y / factor));
    return big;
}

QImage grabbed(QWidget &w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRegion scaledOutline(int factor) {
    return PixelScale{factor, {}}.map(Layout::Outline());
}

void storeZoom(int factor) {
    UserStore().openKey(QString::fromLatin1(SettingsKeyPath), true)->setInteger("Zoom", factor);
}

int storedZoom() {
    const auto key = UserStore().openKey(QString::fromLatin1(SettingsKeyPath), false);
    const auto value = key ? key->value("Zoom") : std::nullopt;
    return value ? value->integer : 0;
}

QScreen *screenNamed(const char *name) {
    for (QScreen *s : QGuiApplication::screens())
        if (s->name() == QLatin1String(name))
            return s;
    return nullptr;
}

} // namespace

class ZoomTest : public WindowTest {
protected:
    // A stopped two-player game with no text over the pictures.
    void freezeAGameWithoutTexts(TestWindow &w) {
        freezeAGame(w);
        for (TEtiqueta *label : w.findChildren<TEtiqueta *>())
            label->hide();
    }
};

TEST(ZoomChoice, FirstStartTakesTheLargestWindowWithinThreeQuartersOfTheHeight) {
    EXPECT_EQ(FirstStartZoom({0, 0, 1920, 1040}), 1); // 920 > 780
    EXPECT_EQ(FirstStartZoom({0, 0, 2560, 1400}), 2);
    EXPECT_EQ(FirstStartZoom({0, 0, 3840, 2120}), 3);
    EXPECT_EQ(FirstStartZoom({0, 0, 7680, 4280}), 4) << "never beyond the menu's largest";
    EXPECT_EQ(FirstStartZoom({0, 0, 800, 560}), 1) << "even when factor 1 is too large";
    EXPECT_EQ(FirstStartZoom({0, 0, 1200, 2000}), 1) << "the width counts too";
}

TEST(ZoomChoice, StoredFactorIsKeptWhileItFitsAndOtherwiseFallsBack) {
    const QRect qhd(0, 0, 2560, 1400);
    EXPECT_EQ(StartZoom(1, qhd), 1);
    EXPECT_EQ(StartZoom(3, qhd), 3) << "1380 fits 1400";
    EXPECT_EQ(StartZoom(4, qhd), 3);
    EXPECT_EQ(StartZoom(4, {0, 0, 1366, 728}), 1);
    // None stored, or nonsense: the first start's choice.
    EXPECT_EQ(StartZoom(0, qhd), 2);
    EXPECT_EQ(StartZoom(5, qhd), 2);
    EXPECT_EQ(StartZoom(-3, qhd), 2);
}

TEST(ZoomChoice, FullScreenTakesTheLargestWholeFactorCentred) {
    EXPECT_EQ(FullScreenScale({3840, 2160}), (PixelScale{4, {656, 160}}));
    EXPECT_EQ(FullScreenScale({1920, 1080}), (PixelScale{2, {328, 80}}));
    EXPECT_EQ(FullScreenScale({5120, 4320}), (PixelScale{8, {32, 320}})) << "not capped at 4";
    EXPECT_EQ(FullScreenScale({800, 600}), (PixelScale{1, {84, 70}}));
}

TEST(ZoomChoice, CoveringSourceTakesEveryPictureRowAndColumnTouched) {
    EXPECT_EQ(CoveringSource({0, 0, 6, 6}, 3), QRect(0, 0, 2, 2));
    EXPECT_EQ(CoveringSource({4, 5, 3, 1}, 3), QRect(1, 1, 2, 1));
    EXPECT_EQ(CoveringSource({10, 20, 30, 40}, 1), QRect(10, 20, 30, 40));
}

TEST_F(ZoomTest, PicturesAtTwoAndThreeRepeatThePixelsOfFactorOne) {
    TestWindow w;
    freezeAGameWithoutTexts(w);
    ASSERT_EQ(w.pixelScale().factor, 1);
    const QImage one = grabbed(w);
    const QRect parts[] = {Layout::imgFondo1, Layout::imgFondo2, Layout::imgSgtes1,
                           Layout::imgSgtes2, Layout::imgMarcador};
    for (int factor : {2, 3}) {
        w.mnTamanoClick(factor);
        const QImage big = grabbed(w);
        ASSERT_EQ(big.size(), Layout::Client * factor);
        for (const QRect &part : parts)
            EXPECT_EQ(big.copy(PixelScale{factor, {}}.map(part)), blownUp(one.copy(part), factor))
                << "factor " << factor << " at " << part.x() << "," << part.y();
    }
    // And back: factor 1 shows what it showed.
    w.mnTamanoClick(1);
    EXPECT_EQ(grabbed(w), one);
}

TEST_F(ZoomTest, SizeOutlineButtonsAndMenuFollowTheFactor) {
    TestWindow w;
    for (int factor = 1; factor <= 4; ++factor) {
        w.mnTamanoClick(factor);
        const PixelScale s{factor, {}};
        EXPECT_EQ(w.size(), QSize(632, 460) * factor);
        EXPECT_EQ(w.mask(), scaledOutline(factor)) << factor;
        EXPECT_EQ(w.mask().boundingRect(), QRect(0, 0, 630 * factor, 455 * factor));
        // The rounded corner is cut out, the gap between the buttons too.
        EXPECT_FALSE(w.mask().contains(s.map(QPoint(0, 0))));
        EXPECT_FALSE(w.mask().contains(s.map(QPoint(313, 15))));
        EXPECT_TRUE(w.mask().contains(s.map(QPoint(127, 205))));
        EXPECT_TRUE(w.mnTamanos[size_t(factor - 1)]->isChecked());
        for (TBotonPlano *button : {w.btnMenu, w.btnMinimizar, w.btnCerrar}) {
            EXPECT_EQ(button->geometry(), s.map(button->layoutBounds()));
            EXPECT_EQ(w.childAt(button->geometry().center()), button);
        }
        EXPECT_EQ(w.childAt(s.map(Layout::lblPuntos1.center())), w.imgCristal);
        EXPECT_EQ(w.lblPuntos1->font().pixelSize(), 13 * factor);
        EXPECT_EQ(w.lblStatus2->font().pixelSize(), 11 * factor);
        EXPECT_EQ(w.lblJugador2->geometry().right() + 1, s.map(Layout::lblJugador2).right() + 1);
        // The menu opens under the menu button, or as near it as the screen lets it.
        w.btnMenuClick();
        EXPECT_TRUE(w.Menu->isVisible());
        const QPoint under = w.mapToGlobal(s.map(QPoint(270, 25)));
        const QRect screen = w.Menu->screen()->geometry();
        EXPECT_EQ(w.Menu->pos().x(), under.x());
        if (under.y() + w.Menu->height() <= screen.bottom() + 1)
            EXPECT_EQ(w.Menu->pos().y(), under.y());
        else
            EXPECT_EQ(w.Menu->geometry().bottom(), screen.bottom());
        EXPECT_GE(w.Menu->font().pointSizeF(), QApplication::font(w.Menu).pointSizeF() * factor);
        w.Menu->hide();
    }
}

TEST_F(ZoomTest, DragAtFactorThreeMovesByTheMousesDistance) {
    TestWindow w;
    w.mnTamanoClick(3);
    w.show();
    w.move(40, 30);
    const QPoint start = w.pos();
    const QPoint local = Layout::lblFase.center() * 3;
    ASSERT_EQ(w.childAt(local), w.imgCristal);
    const QPoint grip = w.imgCristal->mapFrom(&w, local);
    const QPoint global = w.mapToGlobal(local);
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, grip, at, button, held, Qt::NoModifier);
        QApplication::sendEvent(w.imgCristal, &e);
    };
    send(QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, global + QPoint(7, -4), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, global + QPoint(45, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(45, 20));
    send(QEvent::MouseButtonRelease, global + QPoint(45, 20), Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseMove, global + QPoint(200, 200), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.pos(), start + QPoint(45, 20));
}

TEST_F(ZoomTest, FullScreenCentresTheGameAndLeavingRestoresFactorAndPlace) {
    TestWindow w;
    w.mnTamanoClick(2);
    w.show();
    w.move(100, 50);
    const QPoint place = w.pos();
    QTest::keyClick(&w, Qt::Key_F11);
    ASSERT_TRUE(w.isFullScreenShown());
    EXPECT_TRUE(w.mnPantallaCompleta->isChecked());
    EXPECT_EQ(w.geometry(), w.screen()->geometry());
    const PixelScale full{2, {328, 80}};
    EXPECT_EQ(w.pixelScale(), full);
    EXPECT_EQ(w.imgFondo1->geometry(), full.map(Layout::imgFondo1));
    EXPECT_EQ(w.btnCerrar->geometry(), full.map(Layout::btnCerrar));
    EXPECT_TRUE(w.mask().isEmpty()) << "the whole screen is the window, black around the game";
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::black));
    // The window size chosen meanwhile is the one full screen returns to.
    w.mnTamanoClick(1);
    EXPECT_EQ(w.pixelScale(), full);

    // The pointer hides while a game runs and shows while it is paused.
    startGame(w);
    EXPECT_EQ(w.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(w.imgCristal->cursor().shape(), Qt::BlankCursor);
    w.mnPausa->trigger();
    EXPECT_NE(w.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(w.imgCristal->cursor().shape(), Qt::SizeAllCursor);
    w.mnPausa->trigger();

    // Escape belongs to an open dialog.
    {
        QDialog dialog(&w);
        dialog.setModal(true);
        dialog.show();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&w, &esc);
        EXPECT_TRUE(w.isFullScreenShown());
    }
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_FALSE(w.isFullScreenShown());
    EXPECT_FALSE(w.mnPantallaCompleta->isChecked());
    EXPECT_EQ(w.size(), QSize(632, 460));
    EXPECT_EQ(w.pos(), place);
    EXPECT_EQ(w.mask(), scaledOutline(1));
    EXPECT_NE(w.cursor().shape(), Qt::BlankCursor) << "the pointer is back outside full screen";

    // The menu item enters and leaves it too.
    w.mnPantallaCompleta->trigger();
    EXPECT_TRUE(w.isFullScreenShown());
    w.mnPantallaCompleta->trigger();
    EXPECT_FALSE(w.isFullScreenShown());
    EXPECT_EQ(w.size(), QSize(632, 460));
}

TEST_F(ZoomTest, StoredFactorIsRestoredAndTheChoiceStoredAtOnce) {
    storeZoom(2);
    {
        TestWindow w;
        EXPECT_EQ(w.zoom(), 2);
        EXPECT_EQ(w.size(), QSize(1264, 920));
        EXPECT_TRUE(w.mnTamanos[1]->isChecked());
        w.mnTamanos[0]->trigger();
        EXPECT_EQ(w.size(), QSize(632, 460));
        EXPECT_EQ(storedZoom(), 1) << "stored as soon as chosen";
    }
    TestWindow again;
    EXPECT_EQ(again.zoom(), 1);
}

TEST_F(ZoomTest, StoredFactorTooLargeForTheScreenFallsBackButStaysStored) {
    // 1380 pixels of height do not fit the 1080 of the test screen; 920 do.
    storeZoom(3);
    {
        TestWindow w;
        EXPECT_EQ(w.pixelScale().factor, 2);
        EXPECT_EQ(w.size(), QSize(1264, 920));
        EXPECT_TRUE(w.mnTamanos[1]->isChecked());
        EXPECT_FALSE(w.mnTamanos[2]->isEnabled());
        EXPECT_FALSE(w.mnTamanos[3]->isEnabled());
        EXPECT_TRUE(w.mnTamanos[1]->isEnabled());
    }
    EXPECT_EQ(storedZoom(), 3) << "a larger screen brings it back";
}

TEST_F(ZoomTest, StoredFactorOutsideItsRangeGivesTheFirstStartsChoice) {
    for (int stored : {0, 5, -1}) {
        storeZoom(stored);
        TestWindow w;
        EXPECT_EQ(w.zoom(), 1) << stored; // 920 is more than three quarters of 1080
        EXPECT_EQ(w.size(), QSize(632, 460));
    }
}

TEST_F(ZoomTest, ScreenOfPixelRatioTwoShowsWholePixels) {
    QScreen *second = screenNamed("second");
    ASSERT_TRUE(second);
    ASSERT_EQ(second->devicePixelRatio(), 2.0);
    TestWindow w;
    freezeAGameWithoutTexts(w);
    w.setScreen(second);
    w.move(second->geometry().topLeft() + QPoint(20, 20));
    w.show();
    const QPixmap shot = w.grab();
    ASSERT_EQ(shot.devicePixelRatio(), 2.0);
    const QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    for (TImagen *part : {w.imgFondo1, w.imgFondo2, w.imgSgtes2})
        EXPECT_EQ(image.copy(PixelScale{2, {}}.map(part->geometry())), blownUp(part->image(), 2))
            << part->objectName().toStdString();
}

TEST_F(ZoomTest, ReplayControlsMadeAfterASizeChangeTakeThatSize) {
    TestWindow w;
    w.mnUnoUno->trigger();
    w.mnNuevoJuego->trigger();
    const auto entries = w.replayLibrary().list();
    ASSERT_FALSE(entries.empty());
    w.mnTamanoClick(3);
    ASSERT_TRUE(w.watchReplay(entries.front().path));
    for (TBarraRepeticion *bar : {w.controles.left, w.controles.right}) {
        EXPECT_EQ(bar->geometry(), PixelScale({3, {}}).map(bar->layoutBounds()));
        EXPECT_EQ(bar->font().pixelSize(), 33);
    }
    w.stopWatching();
}
