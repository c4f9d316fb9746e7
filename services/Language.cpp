#include "services/Language.h"

#include "core/TextTable.h"
#include "services/DataFiles.h"
#include "services/ErrorReport.h"
#include "services/ResourceImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QResource>
#include <QTranslator>

#include <memory>
#include <utility>

namespace {

// Where a loaded module's contents appear in the resource tree.
const QString ModuleRoot = QStringLiteral("/language-module");
const QString ModuleStrings = QStringLiteral(":/language-module/strings.txt");

struct LoadedModule {
    QString file;
    TextTable texts;
    // Qt's own texts (standard buttons of message boxes and input dialogs) in the same
    // language; absent when Debian's translations are not installed.
    std::unique_ptr<QTranslator> qtTexts;
};

int currentLanguage = LanguageEnglish;
std::unique_ptr<LoadedModule> loaded;

void releaseModule() {
    if (!loaded)
        return;
    SetCurrentTextTable(nullptr);
    if (loaded->qtTexts)
        QCoreApplication::removeTranslator(loaded->qtTexts.get());
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

std::unique_ptr<QTranslator> qtTranslation(const QString &language) {
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_") + language, folder) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

// The Spanish table read from the module file without switching to it; kept once read.
const TextTable &spanishTexts() {
    static TextTable peeked;
    if (loaded)
        return loaded->texts;
    if (peeked.size() > 0)
        return peeked;
    const QString root = QStringLiteral("/language-peek");
    const QString file = FindDataFile(QString::fromLatin1(LanguageModuleName));
    if (!QResource::registerResource(file, root))
        return peeked;
    QByteArray bytes;
    if (QFile strings(QStringLiteral(":/language-peek/strings.txt"));
        strings.open(QIODevice::ReadOnly))
        bytes = strings.readAll();
    QResource::unregisterResource(file, root);
    if (!TextTable::parse(bytes, peeked))
        peeked = TextTable();
    return peeked;
}

} // namespace

QStringList TextInEveryLanguage(int id) {
    QStringList texts{EnglishTexts().text(id)};
    const QString spanish = spanishTexts().text(id);
    if (!spanish.isEmpty() && !texts.contains(spanish))
        texts << spanish;
    return texts;
}

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
    loaded->qtTexts = qtTranslation(QStringLiteral("es"));
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
    QImage image = ReadPng(path);
    if (image.isNull())
        return false;
    bitmap = image;
    return true;
}
