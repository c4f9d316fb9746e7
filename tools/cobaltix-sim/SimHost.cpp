#include "tools/cobaltix-sim/SimHost.h"

#include "tools/script/ScriptReader.h"

#include "core/Texts.h"

#include <stdexcept>

namespace {

// Player names compare with only the letters a to z folded.
bool sameName(const QString &a, const QString &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

int SimHost::MostrarMensaje(const QString &text, const QString &caption, bool withCancel) {
    int result = 1;
    Answer recorded;
    if (withCancel && replayAnswers) {
        result = replayAnswers->take(AnswerKind::Question, recorded) && recorded.value == 2 ? 2 : 1;
    } else if (withCancel) {
        result = nextAnswerCancel ? 2 : 1;
        nextAnswerCancel = false;
    }
    out.line(QStringLiteral("message %1 title %2 buttons %3 -> %4")
                 .arg(quoted(text), quoted(caption),
                      withCancel ? QStringLiteral("okcancel") : QStringLiteral("ok"))
                 .arg(result));
    return result;
}

void SimHost::showError(const QString &text, const QString &caption) {
    out.line(QStringLiteral("error %1 title %2").arg(quoted(text), quoted(caption)));
}

void SimHost::PedirNombres(QString &name1, QString &name2) {
    if (replayAnswers) {
        Answer a;
        QString result1 = name1, result2 = name2;
        if (replayAnswers->take(AnswerKind::Names, a))
            result1 = a.first, result2 = a.second;
        out.line(QStringLiteral("names %1 %2 -> %3 %4")
                     .arg(quoted(name1), quoted(name2), quoted(result1), quoted(result2)));
        name1 = result1;
        name2 = result2;
        return;
    }
    QString shown1 = name1, shown2 = name2;
    for (;;) {
        bool scripted = !namesAnswers.empty();
        QString typed1 = shown1, typed2 = shown2;
        if (scripted) {
            std::tie(typed1, typed2) = namesAnswers.front();
            namesAnswers.pop_front();
        }
        QString result1 = typed1.isEmpty() ? GetText(12000) : typed1;
        QString result2 = typed2.isEmpty() ? GetText(12001) : typed2;
        out.line(QStringLiteral("names %1 %2 -> %3 %4")
                     .arg(quoted(shown1), quoted(shown2), quoted(result1), quoted(result2)));
        if (!sameName(result1, result2)) {
            name1 = result1;
            name2 = result2;
            return;
        }
        showError(GetText(12002), GetText(12003));
        if (namesAnswers.empty())
            throw ScriptError(scriptLine,
                              QStringLiteral("the names dialog got two equal names and the "
                                             "script gives no further \"names\" answer"));
        shown1 = typed1;
        shown2 = typed2;
    }
}

// The one-name dialog takes its answer from the same script answers as the two-name
// one: the name in the person's place.
void SimHost::PedirNombre(int player, QString &name, const QString &rival) {
    if (replayAnswers) {
        Answer a;
        QString result = name;
        if (replayAnswers->take(AnswerKind::Names, a))
            result = player == 1 ? a.first : a.second;
        out.line(QStringLiteral("name %1 %2 rival %3 -> %4")
                     .arg(player)
                     .arg(quoted(name), quoted(rival), quoted(result)));
        name = result;
        return;
    }
    QString shown = name;
    for (;;) {
        QString typed = shown;
        if (!namesAnswers.empty()) {
            typed = player == 1 ? namesAnswers.front().first : namesAnswers.front().second;
            namesAnswers.pop_front();
        }
        const QString result = typed.isEmpty() ? GetText(player == 1 ? 12000 : 12001) : typed;
        out.line(QStringLiteral("name %1 %2 rival %3 -> %4")
                     .arg(player)
                     .arg(quoted(shown), quoted(rival), quoted(result)));
        if (!sameName(result, rival)) {
            name = result;
            return;
        }
        showError(GetText(12002), GetText(12003));
        if (namesAnswers.empty())
            throw ScriptError(scriptLine,
                              QStringLiteral("the name dialog got the rival's name and the "
                                             "script gives no further \"names\" answer"));
        shown = typed;
    }
}

void SimHost::NuevoRecordFases(int points, int stage, QString &name) {
    if (replayAnswers) {
        // The name typed then, where it changed the name; the table stays as it is.
        Answer a;
        if (!replayAnswers->take(AnswerKind::NewRecord, a) || a.first == name)
            return;
        out.line(QStringLiteral("new-record %1 points %2 -> %3")
                     .arg(quoted(name))
                     .arg(points)
                     .arg(quoted(a.first)));
        name = a.first;
        return;
    }
    out.line(QStringLiteral("record-stages points %1 stage %2 name %3")
                 .arg(points)
                 .arg(stage)
                 .arg(quoted(name)));
    size_t row = 0;
    while (row < stagePoints.size() && stagePoints[row] >= points)
        ++row;
    if (row == stagePoints.size())
        return;
    for (size_t j = stagePoints.size() - 1; j > row; --j)
        stagePoints[j] = stagePoints[j - 1];
    stagePoints[row] = points;

    QString typed = name;
    if (!recordAnswers.empty()) {
        typed = recordAnswers.front();
        recordAnswers.pop_front();
    }
    const QString placeholder = GetText(14000);
    QString returned = typed.isEmpty() ? placeholder : typed;
    out.line(QStringLiteral("new-record %1 points %2 -> %3")
                 .arg(quoted(name))
                 .arg(points)
                 .arg(quoted(returned)));
    if (returned.left(255) != placeholder)
        name = returned;
    showHighScores();
}

void SimHost::NuevoRecordVs(int points, bool won, const QString &name) {
    if (replayAnswers)
        return;
    out.line(QStringLiteral("record-vs points %1 won %2 name %3")
                 .arg(points)
                 .arg(won ? QStringLiteral("yes") : QStringLiteral("no"), quoted(name)));
}

void SimHost::gameOverShown(int player) {
    out.line(QStringLiteral("gameover %1").arg(player));
}

void SimHost::showFinal() {
    out.line(QStringLiteral("final"));
}

void SimHost::showHighScores() {
    if (replayAnswers)
        return;
    out.line(QStringLiteral("highscores"));
}

bool SimHost::PedirTeclas(std::array<std::uint16_t, 10> &keys, const std::array<bool, 256> &) {
    Answer a;
    if (replayAnswers && replayAnswers->take(AnswerKind::Keys, a) && a.value == 1) {
        out.line(QStringLiteral("define-keys -> ok"));
        keys = a.keys;
        return true;
    }
    // The script sets keys with "keys"; the dialog itself is closed unchanged.
    out.line(QStringLiteral("define-keys -> cancel"));
    return false;
}

void SimHost::playSound(TSonido wave, int channel) {
    if (mixerFault)
        throw std::runtime_error(mixerFault->toStdString());
    out.line(
        QStringLiteral("sound %1 channel %2").arg(QLatin1String(SoundName(wave))).arg(channel));
}

void SimHost::setMixerActive(bool on) {
    if (on == mixerOn)
        return;
    if (mixerFault)
        throw std::runtime_error(mixerFault->toStdString());
    mixerOn = on;
    out.line(on ? QStringLiteral("mixer on") : QStringLiteral("mixer off"));
}
