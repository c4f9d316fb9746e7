#include "dialogs/Mensajes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs action on the next modal dialog once it is shown, so exec() never blocks a test.
void OnNextModal(std::function<void(QWidget *)> action) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

int lineHeight(const TfMensaje &box) {
    return QFontMetrics(box.lblTexto->font()).lineSpacing();
}

} // namespace

TEST(Mensajes, DialogFontHasThirteenPixelLines) {
    TfMensaje box;
    EXPECT_EQ(lineHeight(box), 13);
}

// One line sits beside the middle of the icon, in the smallest frame.
TEST(Mensajes, OneLineLayout) {
    TfMensaje box;
    box.Preparar(QStringLiteral("Stage 3 complete"), QString(), false);
    EXPECT_EQ(box.lblTexto->y(), 25);
    EXPECT_EQ(box.Marco->height(), 50);
    EXPECT_EQ(box.btnAceptar->y(), 70);
    EXPECT_EQ(box.height(), 100);
    EXPECT_EQ(box.width(), 392);
    EXPECT_EQ(box.btnAceptar->x(), 310);
    EXPECT_TRUE(box.btnCancelar->isHidden());
}

// Five lines (any kind of line break) grow the frame, the buttons and the box.
TEST(Mensajes, FiveLineLayout) {
    TfMensaje box;
    box.Preparar(QStringLiteral("one\r\ntwo\rthree\nfour\r\nfive"), QStringLiteral("T"), true);
    const int label = 5 * lineHeight(box);
    EXPECT_EQ(box.lblTexto->height(), label);
    EXPECT_EQ(box.lblTexto->y(), 20);
    EXPECT_EQ(box.Marco->height(), label + 20);
    EXPECT_EQ(box.btnAceptar->y(), label + 40);
    EXPECT_EQ(box.height(), label + 70);
    EXPECT_EQ(label, 65);
    EXPECT_EQ(box.height(), 135);
    EXPECT_EQ(box.btnAceptar->x(), 230);
    EXPECT_EQ(box.btnCancelar->x(), 310);
    EXPECT_EQ(box.btnCancelar->y(), box.btnAceptar->y());
    EXPECT_FALSE(box.btnCancelar->isHidden());
}

// A long paragraph wraps inside the 300-pixel label rather than running off.
TEST(Mensajes, LongTextWrapsWithinTheFrame) {
    TfMensaje box;
    box.Preparar(QString(QStringLiteral("word ")).repeated(200), QString(), false);
    EXPECT_GT(box.lblTexto->height(), 13 * 5);
    EXPECT_EQ(box.lblTexto->width(), 300);
    EXPECT_GE(box.Marco->geometry().bottom(), box.lblTexto->geometry().bottom());
    EXPECT_GT(box.btnAceptar->y(), box.Marco->geometry().bottom());
}

TEST(Mensajes, EmptyCaptionShowsTheGameName) {
    TfMensaje box;
    box.Preparar(QStringLiteral("x"), QString(), false);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Cobaltix"));
    box.Preparar(QStringLiteral("x"), QStringLiteral("Quick help"), false);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Quick help"));
}

// Each way of closing gives its code: 1 for OK, 2 for Cancel, Escape and the close box.
TEST(Mensajes, ResultCodes) {
    OnNextModal([](QWidget *w) { qobject_cast<TfMensaje *>(w)->btnAceptar->click(); });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("?"), QString(), true), 1);

    OnNextModal([](QWidget *w) { qobject_cast<TfMensaje *>(w)->btnCancelar->click(); });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("?"), QString(), true), 2);

    OnNextModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("?"), QString(), true), 2);

    OnNextModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Return); });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("?"), QString(), true), 1);

    OnNextModal([](QWidget *w) { w->close(); });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("!"), QString(), false), 2);
}

// A notice ignores Escape; only OK or the close box end it.
TEST(Mensajes, NoticeIgnoresEscape) {
    bool stillOpen = false;
    OnNextModal([&stillOpen](QWidget *w) {
        QTest::keyClick(w, Qt::Key_Escape);
        stillOpen = w->isVisible();
        qobject_cast<TfMensaje *>(w)->btnAceptar->click();
    });
    EXPECT_EQ(MostrarMensaje(QStringLiteral("!"), QString(), false), 1);
    EXPECT_TRUE(stillOpen);
}

// Shown in the middle of the screen, whatever its size.
TEST(Mensajes, CentredOnTheScreen) {
    TfMensaje box;
    box.Preparar(QStringLiteral("x"), QString(), false);
    box.show();
    const QRect screen = box.screen()->geometry();
    const QRect outer = box.frameGeometry();
    EXPECT_LE(std::abs(outer.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(outer.center().y() - screen.center().y()), 1);
}
