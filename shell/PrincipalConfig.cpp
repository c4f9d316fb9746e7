#include "shell/Principal.h"

#include "core/Texts.h"
#include "dialogs/TranslateForm.h"
#include "services/Language.h"
#include "services/Settings.h"
#include "shell/Application.h"
#include "shell/Layout.h"

#include <QAction>

// The language command and the stored settings of the window.

void TfPrincipal::mnIdiomaClick(QAction *item) {
    SetLanguage(item->property("Tag").toInt());
    (GetLanguage() == LanguageSpanish ? mnEspaniol : mnEnglish)->setChecked(true);
    TranslateForm(this);
    // The translation puts the plain captions back; the keys shown and the pause
    // item's state are the window's own.
    for (QAction *a : {mnNuevoJuego, mnTeclas, mnPantallaCompleta, mnAyuda})
        setMenuCaption(a, a->property("Tag").toInt());
    setMenuCaption(mnPausa, game->Pausado ? 10011 : 10101);
    if (controles.left)
        controles.translate();
    game->LoadTextosDerrota();
    lblJugador1->setText(GetText(12000));
    lblJugador2->setText(GetText(12001));
    loadLanguagePictures();
    scheduleSettingsCheck();
}

void TfPrincipal::loadLanguagePictures() {
    TPictures &pics = game->pictures();
    const QString missing = LoadLanguagePictures(pics.Marcador, pics.PausaXOR, pics.PausaAND);
    if (!missing.isEmpty())
        TAplicacion::ShowException(QStringLiteral("Resource %1 not found").arg(missing));
    pics.Marcador = pics.Marcador.convertToFormat(QImage::Format_RGB32);
    pics.PausaXOR = pics.PausaXOR.convertToFormat(QImage::Format_RGB32);
    pics.PausaAND = pics.PausaAND.convertToFormat(QImage::Format_RGB32);
    imgMarcador->setPicture(pics.Marcador);
    // A paused game shows the pause picture of the new language at once.
    if (game->Pausado) {
        for (TImagen *well : {imgFondo1, imgFondo2}) {
            if (well == imgFondo2 && game->TipoJuego == GameMode::OnePlayer)
                continue;
            well->image() = pics.FondoVacio;
            Raster::drawMasked(well->image(), Layout::PausePosition, pics.PausaAND, pics.PausaXOR);
            well->update();
        }
    }
    // The previews lie on the scoreboard: their background is its picture.
    for (int n = 1; n <= 2; ++n) {
        TImagen *preview = n == 1 ? imgSgtes1 : imgSgtes2;
        const QPoint origin = n == 1 ? Layout::PreviewOrigin1 : Layout::PreviewOrigin2;
        const QRect area(origin, preview->layoutBounds().size());
        preview->setPicture(pics.Marcador.copy(area).convertToFormat(QImage::Format_RGB32));
        TInfo &p = game->player(n);
        if (p.PreviewColour1 > 0)
            p.DrawPreview(p.PreviewColour1, p.PreviewColour2);
    }
}

TfPrincipal::Stored TfPrincipal::currentSettings() const {
    return {game->TeclasJuego, game->personName(1), game->personName(2), GetLanguage(), chosenZoom,
            chosenPlayers,     Mandos->Botones,     puertoRed,           anunciarRed};
}

void TfPrincipal::storeSettingsIfChanged() {
    if (currentSettings() == lastStored)
        return;
    GuardarConfiguracion();
}

void TfPrincipal::LeerConfiguracion() {
    TConfiguracion config;
    config.Nombre1 = game->player(1).Name;
    config.Nombre2 = game->player(2).Name;
    ::LeerConfiguracion(config);
    game->TeclasJuego = config.TeclasJuego;
    game->player(1).Name = config.Nombre1;
    game->player(2).Name = config.Nombre2;
    Mandos->Botones = config.BotonesMando;
    chosenZoom = config.Zoom ? config.Zoom : FirstStartZoom(availableArea());
    for (size_t i = 0; i < chosenPlayers.size(); ++i)
        if (!config.Jugadores[i].isEmpty())
            chosenPlayers[i] = config.Jugadores[i];
    puertoRed = config.PuertoRed;
    anunciarRed = config.AnunciarRed;
}

void TfPrincipal::GuardarConfiguracion() {
    TConfiguracion config;
    config.TeclasJuego = game->TeclasJuego;
    // While a CPU plays a side, the name to keep is the person's.
    config.Nombre1 = game->personName(1);
    config.Nombre2 = game->personName(2);
    config.Zoom = chosenZoom;
    config.Jugadores = chosenPlayers;
    config.BotonesMando = Mandos->Botones;
    config.PuertoRed = puertoRed;
    config.AnunciarRed = anunciarRed;
    // A failed store is reported once by the store itself; do not repeat it at every
    // change, the exit tries again.
    ::GuardarConfiguracion(config);
    lastStored = currentSettings();
}
