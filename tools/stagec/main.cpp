// Compiles the readable stage source into the game's stage file, and prints a stage
// file back as text.
#include "tools/stagec/StageText.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

int fail(const QString &message) {
    std::fprintf(stderr, "stagec: %s\n", qPrintable(message));
    return 1;
}

bool readFile(const QString &path, QByteArray &bytes, QString &why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    bytes = file.readAll();
    return true;
}

int compile(const QString &sourcePath, const QString &outputPath) {
    QByteArray source;
    QString why;
    if (!readFile(sourcePath, source, why))
        return fail(why);
    stages::StageSourceTable table;
    const stages::ParseResult result = stages::parseStageText(QString::fromUtf8(source), table);
    if (!result.ok)
        return fail(sourcePath + QStringLiteral(": ") + result.error);

    TFaseTable stagesOnly;
    for (int n = 0; n < StageCount; ++n)
        stagesOnly[n] = table[n].stage;
    // Written whole or not at all, so a failed build keeps the previous file.
    QSaveFile out(outputPath);
    const QByteArray bytes = SerializeStages(stagesOnly);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return fail(outputPath + QStringLiteral(": ") + out.errorString());
    return 0;
}

int print(const QString &path) {
    QByteArray bytes;
    QString why;
    if (!readFile(path, bytes, why))
        return fail(why);
    TFaseTable table;
    if (!ParseStages(bytes, table, &why))
        return fail(path + QStringLiteral(": ") + why);
    std::fputs(stages::stageText(table).toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("compile") && argc == 4)
        return compile(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (command == QLatin1String("print") && argc == 3)
        return print(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: stagec compile STAGES.txt Fases.dat\n"
                         "       stagec print Fases.dat\n");
    return 2;
}
