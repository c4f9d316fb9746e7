#include "services/Language.h"

#include "core/TextTable.h"
#include "services/DataFiles.h"
#include "services/ErrorReport.h"
#include "services/LanguageModule.h"
#include "services/ResourceImage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <utility>

namespace {

// Where a loaded module's contents appear in the resource tree.
const QString ModuleRoot = QStringLiteral("/language-module");

int currentLanguage = LanguageEnglish;
bool lastSwitchFailed = false;
std::unique_ptr<LanguageModule> loaded;
// Qt's own texts (standard buttons of message boxes and input dialogs) in the same
// language; absent when Debian's translations are not installed.
std::unique_ptr<QTranslator> qtTexts;

void releaseModule() {
    if (!loaded)
        return;
    SetCurrentTextTable(nullptr);
    if (qtTexts)
        QCoreApplication::removeTranslator(qtTexts.get());
    qtTexts.reset();
    loaded.reset();
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
        return loaded->texts();
    if (peeked.size() > 0)
        return peeked;
    const QString file = FindDataFile(QString::fromLatin1(LanguageModuleName));
    if (auto module = LanguageModule::load(file, QStringLiteral("/language-peek")))
        peeked = module->texts();
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
    loaded =
        LanguageModule::load(FindDataFile(QString::fromLatin1(LanguageModuleName)), ModuleRoot);
    if (!loaded) {
        currentLanguage = LanguageEnglish;
        lastSwitchFailed = true;
        ReportError(QString::fromLatin1(LanguageModuleErrorCaption),
                    QString::fromLatin1(LanguageModuleErrorText));
        return;
    }
    SetCurrentTextTable(&loaded->texts());
    qtTexts = qtTranslation(QStringLiteral("es"));
    currentLanguage = LanguageSpanish;
    lastSwitchFailed = false;
}

int GetLanguage() {
    return currentLanguage;
}

bool LanguageModuleFailed() {
    return lastSwitchFailed;
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
