// What SDL's game controllers add to a program like the game: a Qt Widgets program with
// Qt Multimedia, its application made, then libSDL2 loaded and its game controllers
// started the way the game starts them. Prints, for one fresh process:
//   load-ms L init-ms I load-kb A init-kb B load-own-kb C init-own-kb D
// the time to load the library (and whatever it needs that Qt had not loaded), the
// time to start the controllers, the resident memory each added, and of it what is
// the process's own (not pages of the library files).
#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>

#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <string>

namespace {
// A line of /proc/self/status, in kB: VmRSS (all resident pages), RssAnon (the
// process's own memory), RssFile (pages of files, libraries among them, which other
// processes share).
long statusKb(const char *field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == field) {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

struct Resident {
    long all = statusKb("VmRSS:"), own = statusKb("RssAnon:");
};

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // As the game: Qt Multimedia in use before the pads start.
    (void)QMediaDevices::defaultAudioOutput();

    const Resident before;
    const auto loadStart = std::chrono::steady_clock::now();
    void *sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_GLOBAL);
    const double loadMs = msSince(loadStart);
    if (!sdl) {
        std::fprintf(stderr, "pad_startup: %s\n", dlerror());
        return 1;
    }
    const Resident loaded;
    auto setHint = reinterpret_cast<decltype(&SDL_SetHint)>(dlsym(sdl, "SDL_SetHint"));
    auto init = reinterpret_cast<decltype(&SDL_InitSubSystem)>(dlsym(sdl, "SDL_InitSubSystem"));
    auto quit = reinterpret_cast<decltype(&SDL_QuitSubSystem)>(dlsym(sdl, "SDL_QuitSubSystem"));
    if (!setHint || !init || !quit)
        return 1;

    const auto initStart = std::chrono::steady_clock::now();
    setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    setHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    const bool started = init(SDL_INIT_GAMECONTROLLER) == 0;
    const double initMs = msSince(initStart);
    const Resident initialised;
    std::printf("load-ms %.2f init-ms %.2f load-kb %ld init-kb %ld load-own-kb %ld init-own-kb "
                "%ld%s\n",
                loadMs, initMs, loaded.all - before.all, initialised.all - loaded.all,
                loaded.own - before.own, initialised.own - loaded.own,
                started ? "" : " (init failed)");
    quit(SDL_INIT_GAMECONTROLLER);
    return 0;
}
