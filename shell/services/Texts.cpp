#include "shell/services/Texts.h"

// Provisional: the string tables arrive with the language work.
QString GetText(int) { return {}; }

QString GetTextFmt(int, std::initializer_list<QVariant>) { return {}; }
