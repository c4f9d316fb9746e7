// Paints every picture of the game into a folder: the pictures of the main window
// and the English language pictures at the top, the Spanish ones under es/; or, with
// --icons, the desktop icons of the installed game.
#include "tools/artgen/Gems.h"
#include "tools/artgen/Icons.h"
#include "tools/artgen/Logo.h"
#include "tools/artgen/Panels.h"
#include "tools/artgen/Preview.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool save(const QImage &image, const QString &path) {
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

std::vector<art::NamedPicture> windowPictures() {
    std::vector<art::NamedPicture> pictures = art::cellSprites();
    pictures.push_back({"imgFichaAND", art::cellMask()});
    pictures.push_back({"imgFondoVacio", art::emptyWell()});
    pictures.push_back({"imgGameOverAND", art::gameOverMask()});
    pictures.push_back({"imgGameOverXOR", art::gameOverSprite()});
    pictures.push_back({"imgStatus", art::statusStrip()});
    for (int frame = 1; frame <= 5; ++frame)
        pictures.push_back({QStringLiteral("imgAni%1").arg(frame), art::titleFrame(frame)});
    pictures.push_back({"imgIcon", art::appIcon(32)});
    for (int size : {48, 64, 128, 256})
        pictures.push_back({QStringLiteral("imgIcon%1").arg(size), art::appIcon(size)});
    return pictures;
}

std::vector<art::NamedPicture> languagePictures(const art::Captions &captions) {
    return {{"BMP_SCOREBOARD", art::scoreboard(captions)},
            {"BMP_PAUSE", art::pauseSprite(captions)},
            {"BMP_PAUSE_AND", art::pauseMask()}};
}

bool saveAll(const std::vector<art::NamedPicture> &pictures, const QDir &dir) {
    bool ok = true;
    for (const art::NamedPicture &picture : pictures)
        ok = save(picture.image, dir.filePath(picture.name + ".png")) && ok;
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == "--icons")
        return art::writeIcons(QDir(args[2]), args[1]) ? 0 : 1;
    if (args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIR [--preview PREVIEW_DIR]\n"
                             "       artgen --icons NAME ICON_THEME_DIR\n");
        return 2;
    }
    QDir out(args[0]);
    if (!out.mkpath("es")) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out.filePath("es")));
        return 1;
    }
    bool ok = saveAll(windowPictures(), out);
    ok = saveAll(languagePictures(art::englishCaptions()), out) && ok;
    ok = saveAll(languagePictures(art::spanishCaptions()), QDir(out.filePath("es"))) && ok;
    if (ok && args.size() == 3)
        ok = art::writePreviews(out, QDir(args[2]));
    return ok ? 0 : 1;
}
