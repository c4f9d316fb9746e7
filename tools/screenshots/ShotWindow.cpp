#include "tools/screenshots/ShotWindow.h"

#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int StepMs = 25;
// Longer than any animation or stage message lasts; beyond it the game is stuck.
constexpr int MaxWaitSteps = 60000 / StepMs;
} // namespace

ShotWindow::ShotWindow()
    : clocked{{{Timer1}, {Timer2}, {TimerDibujar1}, {TimerDibujar2}, {TimerStatus}}} {}

void ShotWindow::step() {
    nowMs += StepMs;
    for (Clocked &entry : clocked) {
        if (!entry.timer->isEnabled()) {
            entry.dueMs = -1;
            continue;
        }
        if (entry.dueMs < 0)
            entry.dueMs = nowMs - StepMs + entry.timer->interval();
        if (entry.dueMs > nowMs)
            continue;
        entry.dueMs = nowMs + entry.timer->interval();
        if (entry.timer->OnTimer)
            entry.timer->OnTimer(*entry.timer);
    }
}

void ShotWindow::waitUntil(const std::function<bool()> &done) {
    for (int i = 0; !done(); ++i) {
        if (i == MaxWaitSteps) {
            std::fprintf(stderr, "screenshots: the game waits for ever\n");
            std::exit(1);
        }
        step();
    }
}

void ShotWindow::PedirNombres(QString &name1, QString &name2) {
    name1 = QStringLiteral("Ana");
    name2 = QStringLiteral("Ben");
}

QImage ShotWindow::shot() {
    const QImage window = grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shaped(window.size(), QImage::Format_ARGB32);
    shaped.fill(Qt::transparent);
    QPainter p(&shaped);
    p.setClipRegion(region());
    p.drawImage(0, 0, window);
    return shaped;
}
