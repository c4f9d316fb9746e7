#pragma once

#include <QString>

#include <functional>

// Failures of storage and resources are shown in the platform's message box with the
// error icon. Headless code reports through here; the main window installs a reporter
// that shows the box, tests install one that records.
using ErrorReporter = std::function<void(const QString &caption, const QString &text)>;

// Installs reporter and returns the one it replaces. An empty reporter restores the
// default, which writes to the standard error stream.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

void ReportError(const QString &caption, const QString &text);
