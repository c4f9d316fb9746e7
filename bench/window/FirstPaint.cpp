// The window benchmark's first-paint probe: waits until the screen pixel at X, Y
// changes from what it shows when the probe starts, then prints the moment in
// milliseconds since the epoch (the clock of `date +%s%N`). Exit status 1 on timeout.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
unsigned long pixelAt(Display *display, int x, int y) {
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
} // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: window_probe X Y TIMEOUT_MS\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const long long deadline = nowMs() + std::atoll(argv[3]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_probe: no display\n");
        return 2;
    }
    const unsigned long before = pixelAt(display, x, y);
    std::printf("ready\n");
    std::fflush(stdout);
    int status = 1;
    while (nowMs() < deadline) {
        if (pixelAt(display, x, y) != before) {
            std::printf("%lld\n", nowMs());
            status = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XCloseDisplay(display);
    return status;
}
