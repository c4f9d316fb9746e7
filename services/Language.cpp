#include "services/Language.h"

#include "services/DataFiles.h"
#include "services/ErrorReport.h"
#include "services/LanguageModule.h"
#include "core/TextTable.h"

#include <memory>
#include <utility>

namespace {

// Where a loaded module's contents appear in the resource tree.
const QString ModuleRoot = QStringLiteral("/language-module");

int currentLanguage = LanguageEnglish;
bool lastSwitchFailed = false;
std::unique_ptr<LanguageModule> loaded;

void releaseModule() {
    if (!loaded)
        return;
    SetCurrentTextTable(nullptr);
    loaded.reset();
}

} // namespace

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
    QImage image(path);
    if (image.isNull())
        return false;
    bitmap = image;
    return true;
}
