#include "shell/Principal.h"

#include "services/Settings.h"
#include "shell/Cristal.h"
#include "shell/Layout.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>

// The window's sizes and full screen: one scale for every part, the outline, the menu
// and the dialogs.

namespace {
void scaleMenuFonts(QMenu *menu, int factor) {
    QList<QMenu *> menus = menu->findChildren<QMenu *>();
    menus.prepend(menu);
    for (QMenu *m : std::as_const(menus))
        m->setFont(ScaledFont(QApplication::font(m), 1, factor));
}
} // namespace

QRect TfPrincipal::availableArea() const {
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect(QPoint(), Layout::Client);
}

void TfPrincipal::applyScale(const PixelScale &next) {
    scale = next;
    for (QObject *child : children())
        if (auto *part = dynamic_cast<TComponente *>(child))
            part->setScale(scale);
    if (fullScreenShown)
        clearMask();
    else
        setMask(scale.map(regionForma));
    scaleMenuFonts(Menu, scale.factor);
    SetDialogZoom(scale.factor);
    refreshZoomItems();
    update();
}

void TfPrincipal::applyWindowZoom(int factor) {
    windowFactor = factor;
    const QPoint centre = geometry().center();
    setFixedSize(PixelScale{factor, {}}.map(Layout::Client));
    applyScale({factor, {}});
    if (!shown)
        return;
    // Grow or shrink about the centre, kept on the screen so the scoreboard stays at hand.
    const QRect area = availableArea();
    QRect placed(QPoint(), size());
    placed.moveCenter(centre);
    placed.moveLeft(qBound(area.left(), placed.left(), qMax(area.left(), area.right() - width())));
    placed.moveTop(qBound(area.top(), placed.top(), qMax(area.top(), area.bottom() - height())));
    move(placed.topLeft());
}

void TfPrincipal::refreshZoomItems() {
    const int fitting = LargestFactorWithin(availableArea().size(), MaxZoom);
    for (int factor = MinZoom; factor <= MaxZoom; ++factor) {
        QAction *item = mnTamanos[size_t(factor - 1)];
        item->setEnabled(factor <= fitting);
        item->setChecked(factor == windowFactor);
    }
    mnPantallaCompleta->setChecked(fullScreenShown);
}

void TfPrincipal::mnTamanoClick(int factor) {
    chosenZoom = factor;
    if (fullScreenShown)
        windowFactor = factor;
    else
        applyWindowZoom(factor);
    refreshZoomItems();
    storeSettingsIfChanged();
}

void TfPrincipal::mnPantallaCompletaClick(bool on) {
    if (on == fullScreenShown) {
        refreshZoomItems();
        return;
    }
    if (!on) {
        leaveFullScreen();
        return;
    }
    placeBeforeFullScreen = pos();
    arrastrando = false;
    fullScreenShown = true;
    const QRect screenArea = screen() ? screen()->geometry() : QRect(pos(), size());
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
    // Without a window manager nothing else gives the window the whole screen.
    setGeometry(screenArea);
    applyScale(FullScreenScale(size()));
    updatePointer();
}

void TfPrincipal::leaveFullScreen() {
    fullScreenShown = false;
    if (isFullScreen())
        showNormal();
    const QPoint place = placeBeforeFullScreen;
    applyWindowZoom(windowFactor);
    move(place);
    updatePointer();
}

void TfPrincipal::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (fullScreenShown && FullScreenScale(size()) != scale)
        applyScale(FullScreenScale(size()));
}

void TfPrincipal::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // The window manager may end full screen by itself.
    if (event->type() == QEvent::WindowStateChange && fullScreenShown && !isFullScreen())
        leaveFullScreen();
}

void TfPrincipal::fullScreenKeys(const QKeyEvent &key) {
    if (key.isAutoRepeat())
        return;
    if (key.key() == Qt::Key_F11)
        mnPantallaCompletaClick(!fullScreenShown);
    else if (key.key() == Qt::Key_Escape && fullScreenShown && !QApplication::activeModalWidget())
        mnPantallaCompletaClick(false);
}

void TfPrincipal::updatePointer() {
    // In full screen the pointer would sit over the game; it shows again when paused.
    const bool hidden = fullScreenShown && gameRunning;
    if (hidden)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
    const Qt::CursorShape drag = hidden ? Qt::BlankCursor : Qt::SizeAllCursor;
    imgCristal->setCursor(drag);
    imgMarcador->setCursor(drag);
}
