#pragma once

#include <QString>

// The simulator's standard output: one line per event, in the order things happen.
class Transcript {
public:
    void line(const QString &text);
    void flush();

    static QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
};
