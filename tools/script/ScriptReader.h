#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A script line that cannot be run; reported as "error: line N: WHY", exit status 2.
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const QString &why)
        : std::runtime_error(why.toStdString()), lineNumber(line), reason(why) {}
    int lineNumber;
    QString reason;
};

// One command: its words (quotes removed, escapes resolved) and where it stands.
struct ScriptLine {
    int number = 0;
    QStringList words;
};

// Reads a script one command at a time: blanks separate words, a word in double quotes
// may hold blanks, "#" outside quotes starts a comment, blank lines are skipped.
class ScriptReader {
public:
    explicit ScriptReader(const QString &text);

    // The next command; false at the end of the script.
    bool next(ScriptLine &line);
    // The next raw line with its comment and surrounding blanks removed, skipping
    // lines left empty (for blocks such as the 16 rows after "board").
    bool nextRaw(QString &text, int &number);
    int lastLineNumber() const { return position; }

    // Splits one line into words; throws ScriptError on a broken quote.
    static QStringList splitWords(const QString &line, int number);

private:
    QStringList lines;
    int position = 0; // number of lines consumed, so also the 1-based number of the last
};

// A text as the transcripts show it: in double quotes, with \\, \", \n and \r escaped.
QString quoted(const QString &text);

// Reads the script named on the command line, or standard input without one. On failure
// says why on standard error and returns false.
bool readScript(int argc, char *argv[], QString &text);
