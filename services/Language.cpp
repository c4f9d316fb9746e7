#include "services/Language.h"

#include "services/DataFiles.h"
#include "services/ErrorReport.h"
#include "core/TextTable.h"

#include <QFile>
#include <QResource>

#include <memory>
#include <utility>

namespace {

// Where a loaded module's contents appear in the resource tree.
const QString ModuleRoot = QStringLiteral("/language-module");
const QString ModuleStrings = QStringLiteral(":/language-module/strings.txt");

struct LoadedModule {
    QString file;
    TextTable texts;
};

int currentLanguage = LanguageEnglish;
std::unique_ptr<LoadedModule> loaded;

void releaseModule() {
    if (!loaded)
        return;
    SetCurrentTextTable(nullptr);
    QResource::unregisterResource(loaded->file, ModuleRoot);
    loaded.reset();
}

// A module that registers but holds no readable string table counts as not loaded.
std::unique_ptr<LoadedModule> loadModule(const QString &file) {
    if (!QResource::registerResource(file, ModuleRoot))
        return nullptr;
    auto module = std::make_unique<LoadedModule>();
    module->file = file;
    QFile strings(ModuleStrings);
    if (!strings.open(QIODevice::ReadOnly) || !TextTable::parse(strings.readAll(), module->texts)) {
        QResource::unregisterResource(file, ModuleRoot);
        return nullptr;
    }
    return module;
}

} // namespace

void SetLanguage(int language) {
    releaseModule();
    if (language != LanguageSpanish) {
        currentLanguage = LanguageEnglish;
        return;
    }
    loaded = loadModule(FindDataFile(QString::fromLatin1(LanguageModuleName)));
    if (!loaded) {
        currentLanguage = LanguageEnglish;
        ReportError(QString::fromLatin1(LanguageModuleErrorCaption),
                    QString::fromLatin1(LanguageModuleErrorText));
        return;
    }
    SetCurrentTextTable(&loaded->texts);
    currentLanguage = LanguageSpanish;
}

int GetLanguage() {
    return currentLanguage;
}

bool IsLanguageModuleLoaded() {
    return loaded != nullptr;
}

QString LoadLanguagePictures(QImage &scoreboard, QImage &pause, QImage &pauseMask) {
    const std::pair<QImage *, const char *> pictures[] = {
        {&scoreboard, "BMP_SCOREBOARD"}, {&pause, "BMP_PAUSE"}, {&pauseMask, "BMP_PAUSE_AND"}};
    for (const auto &[image, name] : pictures)
        if (!LoadLanguageBitmap(*image, QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    return {};
}

bool LoadLanguageBitmap(QImage &bitmap, const QString &name) {
    const QString path = loaded ? QStringLiteral(":/language-module/%1.png").arg(name)
                                : QStringLiteral(":/art/%1.png").arg(name);
    QImage image(path);
    if (image.isNull())
        return false;
    bitmap = image;
    return true;
}
