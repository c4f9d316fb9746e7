#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Language numbers as stored in the settings.
constexpr int LanguageEnglish = 0;
constexpr int LanguageSpanish = 1;

constexpr const char *LanguageModuleName = "esp.dll";

// The fixed report of a module that cannot be loaded; not from any string table.
constexpr const char *LanguageModuleErrorText = "Error loading DLL";
constexpr const char *LanguageModuleErrorCaption = "Error";

// Switches the texts and language pictures. Any loaded module is released first.
// Spanish loads the module "esp.dll" (current directory, beside the executable, then
// the installed data directory); when it cannot be loaded the error is reported and
// English stays. A number other than 0 or 1 means English.
void SetLanguage(int language);

int GetLanguage();

// Whether the last switch to Spanish failed, leaving English in force; the stored
// choice is then kept for the next start. Switching to English changes nothing here:
// at start-up the window puts English in place right after the failed switch.
bool LanguageModuleFailed();

// The text of id in every language the program has: English first, then Spanish when
// the module can be read (loaded or not), without repeats. For texts stored in one
// language and shown in another.
QStringList TextInEveryLanguage(int id);

// Whether a language module is loaded and must be released at the next switch.
bool IsLanguageModuleLoaded();

// Loads the named picture ("BMP_SCOREBOARD", "BMP_PAUSE", "BMP_PAUSE_AND") of the
// current language: the program's own in English, the module's in Spanish. A missing
// picture gives false and leaves bitmap as it was.
bool LoadLanguageBitmap(QImage &bitmap, const QString &name);

// Loads the three pictures of the current language in that order and stops at the first
// one missing, whose name it gives (the ones after it keep their old picture); an empty
// name when all three came.
QString LoadLanguagePictures(QImage &scoreboard, QImage &pause, QImage &pauseMask);
