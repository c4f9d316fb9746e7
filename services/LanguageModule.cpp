#include "services/LanguageModule.h"

#include "services/ResourceCheck.h"

#include <QFile>
#include <QResource>

namespace {

const uchar *resourceData(const QByteArray &bytes) {
    return reinterpret_cast<const uchar *>(bytes.constData());
}

void fail(QString *why, const QString &reason) {
    if (why)
        *why = reason;
}

} // namespace

LanguageModule::LanguageModule(QByteArray bytes, QString root)
    : bytes(std::move(bytes)), root(std::move(root)) {}

LanguageModule::~LanguageModule() {
    if (registered)
        QResource::unregisterResource(resourceData(bytes), root);
}

std::unique_ptr<LanguageModule> LanguageModule::load(const QString &file, const QString &root,
                                                     QString *why) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(why, f.errorString());
        return nullptr;
    }
    // One byte past the limit tells a file that is too big from one that just fits.
    QByteArray bytes = f.read(MaxResourceBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        fail(why, f.errorString());
        return nullptr;
    }
    return fromBytes(std::move(bytes), root, why);
}

// Qt reads the registered bytes in place, so they stay with the module until it is
// unregistered; a file changed on disk meanwhile does not reach the reader.
std::unique_ptr<LanguageModule> LanguageModule::fromBytes(QByteArray bytes, const QString &root,
                                                          QString *why) {
    if (const QString flaw = ResourceFileFlaw(bytes); !flaw.isEmpty()) {
        fail(why, flaw);
        return nullptr;
    }
    std::unique_ptr<LanguageModule> module(new LanguageModule(std::move(bytes), root));
    module->registered = QResource::registerResource(resourceData(module->bytes), root);
    if (!module->registered) {
        fail(why, QStringLiteral("not accepted as a resource file"));
        return nullptr;
    }
    QFile strings(QStringLiteral(":%1/strings.txt").arg(root));
    if (!strings.open(QIODevice::ReadOnly)) {
        fail(why, QStringLiteral("no strings.txt"));
        return nullptr;
    }
    QString reason;
    if (!TextTable::parse(strings.read(MaxResourceBytes), module->table, &reason)) {
        fail(why, QStringLiteral("strings.txt: ") + reason);
        return nullptr;
    }
    return module;
}
