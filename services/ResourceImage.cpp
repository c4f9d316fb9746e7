#include "services/ResourceImage.h"

#include <QImageReader>

#include <future>
#include <map>

namespace {

QImage decode(const QString &path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

using Decoded = std::map<QString, QImage>;

struct Preload {
    QStringList paths;
    std::future<Decoded> running;
    Decoded done;
};

Preload &preload() {
    static Preload p;
    return p;
}

} // namespace

void PreloadPngs(const QStringList &paths) {
    Preload &p = preload();
    ForgetPreloadedPngs();
    p.paths = paths;
    p.running = std::async(std::launch::async, [paths] {
        Decoded images;
        for (const QString &path : paths)
            images.emplace(path, decode(path));
        return images;
    });
}

void ForgetPreloadedPngs() {
    Preload &p = preload();
    if (p.running.valid())
        p.running.wait();
    p = Preload{};
}

QImage ReadPng(const QString &path) {
    Preload &p = preload();
    if (!p.paths.removeOne(path))
        return decode(path);
    if (p.running.valid())
        p.done = p.running.get();
    QImage image = std::move(p.done[path]);
    p.done.erase(path);
    return image;
}
