#include "shell/Principal.h"

#include "core/Texts.h"
#include "services/ErrorReport.h"
#include "shell/Dialogos.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

// The game's requests to its surroundings: dialogs, high scores, sound and events.

int TfPrincipal::MostrarMensaje(const QString &text, const QString &caption, bool withCancel) {
    return DlgMensaje(text, caption, withCancel);
}

void TfPrincipal::showError(const QString &text, const QString &caption) {
    ReportError(caption, text);
}

void TfPrincipal::playSound(TSonido wave, int channel) {
    Sonidos.Play(wave, channel);
}

void TfPrincipal::setMixerActive(bool on) {
    if (on)
        Sonidos.Preparar();
    Sonidos.setActivated(on);
}

void TfPrincipal::processEvents() {
    QCoreApplication::processEvents();
}

void TfPrincipal::waitUntil(const std::function<bool()> &done, GameClock &) {
    driver->waitUntil(done);
}

void TfPrincipal::scheduleSettingsCheck() {
    // The game copies what a dialog returned after the dialog call; look afterwards.
    if (settingsCheckPending)
        return;
    settingsCheckPending = true;
    QTimer::singleShot(0, this, [this] {
        settingsCheckPending = false;
        storeSettingsIfChanged();
    });
}

void TfPrincipal::PedirNombres(QString &name1, QString &name2) {
    DlgPedirNombres(name1, name2);
    scheduleSettingsCheck();
}

void TfPrincipal::PedirNombre(int player, QString &name, const QString &rival) {
    DlgPedirNombre(player, name, rival);
    scheduleSettingsCheck();
}

void TfPrincipal::NuevoRecordFases(int points, int stage, QString &name) {
    if (tablaRecords)
        tablaRecords->NuevoRecordFases(points, stage, name);
    scheduleSettingsCheck();
}

void TfPrincipal::NuevoRecordFasesCpu(int points, int stage, const QString &name) {
    if (tablaRecords)
        tablaRecords->NuevoRecordFasesCpu(points, stage, name);
}

void TfPrincipal::NuevoRecordVs(int points, bool won, const QString &name) {
    if (tablaRecords)
        tablaRecords->NuevoRecordVs(points, won, name);
}

QString TfPrincipal::NombreVs(int row) {
    return tablaRecords ? tablaRecords->NombreVs(row) : QString();
}

void TfPrincipal::showFinal() {
    DlgFinal();
}

void TfPrincipal::showHighScores() {
    mnMejoresClick();
}

bool TfPrincipal::PedirTeclas(std::array<std::uint16_t, 10> &keys,
                              const std::array<bool, 256> &reserved) {
    TPadSetup pads;
    pads.buttons = Mandos->Botones;
    pads.pads = Mandos->seats().connected();
    for (int pad : pads.pads)
        pads.names << Mandos->padName(pad);
    pads.seats = {Mandos->seats().pad(1), Mandos->seats().pad(2)};
    const bool accepted = DlgTeclas(keys, reserved, &pads);
    if (accepted) {
        Mandos->Botones = pads.buttons;
        for (int player = 1; player <= 2; ++player)
            Mandos->seats().assign(player, pads.seats[size_t(player - 1)]);
        scheduleSettingsCheck();
    }
    return accepted;
}

void TfPrincipal::mnMejoresClick() {
    if (tablaRecords)
        tablaRecords->Mostrar();
}

void TfPrincipal::mnAcercaDeClick() {
    DlgAcercaDe();
}
