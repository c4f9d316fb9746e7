#pragma once

#include "engine/Host.h"
#include "engine/ReplayPlayer.h"
#include "tools/cobaltix-sim/Transcript.h"

#include <QString>

#include <array>
#include <deque>
#include <optional>
#include <utility>

// The game's surroundings as the script sets them: every dialog answers from the
// script and is printed, sound cues and the mixer are printed, and waiting runs the
// game clock. Keeps a by-stages high-score table of its own (empty at start) so
// the new-record dialog shows exactly when a result would enter it.
class SimHost : public IGameHost {
public:
    explicit SimHost(Transcript &out) : out(out) {}

    // Script answers, each used once by the next dialog of its kind.
    bool nextAnswerCancel = false;
    std::deque<std::pair<QString, QString>> namesAnswers;
    std::deque<QString> recordAnswers;
    int scriptLine = 0; // for errors raised while a dialog runs
    // While set, every cue and every activation change fails with this message, as a
    // broken output device would make the mixer raise it.
    std::optional<QString> mixerFault;
    // While a replay plays, its dialogs answer as they were answered, and no result
    // enters the table.
    std::optional<ReplayAnswers> replayAnswers;

    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override;
    void showError(const QString &text, const QString &caption) override;
    void PedirNombres(QString &name1, QString &name2) override;
    void PedirNombre(int player, QString &name, const QString &rival) override;
    void NuevoRecordFases(int points, int stage, QString &name) override;
    void NuevoRecordVs(int points, bool won, const QString &name) override;
    void gameOverShown(int player) override;
    void showFinal() override;
    void showHighScores() override;
    bool PedirTeclas(std::array<std::uint16_t, 10> &keys,
                     const std::array<bool, 256> &reserved) override;
    void playSound(TSonido wave, int channel) override;
    void setMixerActive(bool on) override;
    void processEvents() override {}

private:
    Transcript &out;
    bool mixerOn = false;
    std::array<int, 10> stagePoints{};
};
