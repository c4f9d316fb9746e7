#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the application
// connects to the display: otherwise the first text of the window waits for it, the
// largest single cost of the start. Nothing else is done on that thread.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Returns once the configuration is read; before the first text is measured.
    void wait();

private:
    std::thread reader;
};
