#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Plays its steps, in order, on whatever modal window is up, so a test can run code that
// calls exec() without blocking; stepsLeft() tells whether every step ran.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget *)>;

    explicit ModalDriver(std::vector<Step> steps) : steps(std::move(steps)) {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, &ModalDriver::poll);
        timer.start();
    }

    std::size_t stepsLeft() const { return steps.size() - next; }

private:
    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || next >= steps.size())
            return;
        steps[next++](modal);
    }

    std::vector<Step> steps;
    std::size_t next = 0;
    QTimer timer;
};
