#include "services/ErrorReport.h"

#include <cstdio>

namespace {

void writeToStandardError(const QString &caption, const QString &text) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
}

ErrorReporter &currentReporter() {
    static ErrorReporter reporter = writeToStandardError;
    return reporter;
}

} // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(currentReporter());
    currentReporter() = reporter ? std::move(reporter) : ErrorReporter(writeToStandardError);
    return previous;
}

void ReportError(const QString &caption, const QString &text) {
    currentReporter()(caption, text);
}
