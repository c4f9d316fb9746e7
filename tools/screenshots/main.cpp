// Plays two seeded games in the real window on a virtual clock and saves what the
// window shows: two players by stages in English, one to one in Spanish.
#include "tools/screenshots/Autoplay.h"
#include "tools/screenshots/ShotWindow.h"

#include "core/Texts.h"
#include "services/Language.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Scene {
    const char *file;
    bool spanish;
    bool oneToOne;
    std::uint32_t seed;
    int playMs;
};

constexpr Scene Scenes[] = {
    {"two-players.png", false, false, 11, 34000},
    {"one-to-one-es.png", true, true, 5, 22000},
};

bool shoot(const Scene &scene, const QDir &out) {
    ShotWindow w;
    if (w.stageFileFailed()) {
        std::fprintf(stderr, "screenshots: the stage file was not found\n");
        return false;
    }
    if (scene.spanish)
        w.mnIdiomaClick(w.mnEspaniol);
    w.juego().random().seed(scene.seed);
    (scene.oneToOne ? w.mnUnoUno : w.mnDosJugadores)->trigger();
    Autoplay first(w.juego(), 1, scene.seed * 2 + 1), second(w.juego(), 2, scene.seed * 2 + 2);
    while (w.now() < scene.playMs) {
        first.act(w.now());
        second.act(w.now());
        w.step();
    }
    // A shot of a finished game would show no play: the scene needs a new length.
    if (!w.juego().Jugando) {
        std::fprintf(stderr, "screenshots: the game of %s ended before the shot\n", scene.file);
        return false;
    }
    const QString path = out.filePath(QString::fromLatin1(scene.file));
    if (!w.shot().save(path, "PNG")) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    // The window stores its settings when it closes and records its games: keep them
    // away from the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: cobaltix-screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(args[0]);
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "screenshots: cannot create %s\n", qPrintable(args[0]));
        return 1;
    }
    bool ok = true;
    for (const Scene &scene : Scenes)
        ok = shoot(scene, out) && ok;
    SetLanguage(LanguageEnglish);
    return ok ? 0 : 1;
}
