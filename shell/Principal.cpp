#include "shell/Principal.h"

#include "shell/RedJuego.h"

#include "core/Texts.h"
#include "services/Artwork.h"
#include "services/ErrorReport.h"
#include "services/Fases.h"
#include "services/Language.h"
#include "services/ResourceImage.h"
#include "shell/Cristal.h"
#include "shell/Layout.h"
#include "shell/Region.h"
#include "shell/ReplayWatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>

TfPrincipal::TfPrincipal(QWidget *parent, std::function<TPictures()> pictures)
    : QWidget(parent), takePictures(std::move(pictures)) {
    setObjectName(QStringLiteral("fPrincipal"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(Layout::Client);
    setFocusPolicy(Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    createComponents();
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    AplicacionDesactivada();
            });
    loadPictures();
    CrearRegion();
    createGame();
    createPads();

    TFaseTable stages{};
    QString why;
    stagesLoaded = LoadStageFile(stages, &why);
    if (stagesLoaded)
        game->Fases = stages;
    else
        ReportStageFileError(why);

    game->TeclasReservadas.fill(false);
    // F11 is the window's own: it switches full screen.
    for (int key : {112, 113, 114, 116, 122})
        game->TeclasReservadas[size_t(key)] = true;
    LeerConfiguracion();
    applyPlayers();
    applyWindowZoom(StartZoom(chosenZoom, availableArea()));
    lastStored = currentSettings();
    if (GetLanguage() == LanguageEnglish)
        mnIdiomaClick(mnEnglish);
    else if (GetLanguage() == LanguageSpanish)
        mnIdiomaClick(mnEspaniol);
}

TfPrincipal::~TfPrincipal() {
    watch.reset();
    Mandos->stop();
    regionForma = QRegion();
    Sonidos.Liberar();
    game->EndGame(false, nullptr);
    GuardarConfiguracion();
    game.reset();
}

void TfPrincipal::createComponents() {
    auto picture = [this](const char *name, const QRect &bounds) {
        return new TImagen(QLatin1String(name), bounds, this);
    };
    imgFondo1 = picture("imgFondo1", Layout::imgFondo1);
    imgFondo2 = picture("imgFondo2", Layout::imgFondo2);
    imgMarcador = picture("imgMarcador", Layout::imgMarcador);
    imgStatus1 = picture("imgStatus1", Layout::imgStatus1);
    imgStatus2 = picture("imgStatus2", Layout::imgStatus2);
    imgSgtes1 = picture("imgSgtes1", Layout::imgSgtes1);
    imgSgtes2 = picture("imgSgtes2", Layout::imgSgtes2);
    imgMarcador->setCursor(Qt::SizeAllCursor);
    createLabels();
    imgCristal = new TCristal(Layout::imgCristal, this);
    imgCristal->OnMouseDown = [this](const QPoint &p) { imgCristalMouseDown(p); };
    imgCristal->OnMouseMove = [this](const QPoint &p) { imgCristalMouseMove(p); };
    imgCristal->OnMouseUp = [this] { imgCristalMouseUp(); };
    createButtons();
    createMenu();
}

void TfPrincipal::createLabels() {
    using Layout::NameFont, Layout::NumberFont;
    const auto left = Qt::AlignLeft, right = Qt::AlignRight;
    auto label = [this](const char *name, QRect r, int font, Qt::Alignment a) {
        return new TEtiqueta(QLatin1String(name), r, font, a, this);
    };
    // Scoreboard: player 1 reads from the top, player 2 from the bottom, right aligned.
    // The names stay inside the scoreboard, between x 265 and the numbers' right edge.
    constexpr int NameWidth = 101;
    lblJugador1 = label("lblJugador1", Layout::lblJugador1, NameFont, left);
    lblJugador1->setAutoSize(true, NameWidth);
    lblPuntos1 = label("lblPuntos1", Layout::lblPuntos1, NumberFont, left);
    lblEliminadas1 = label("lblEliminadas1", Layout::lblEliminadas1, NumberFont, left);
    lblNivel1 = label("lblNivel1", Layout::lblNivel1, NumberFont, left);
    lblFase = label("lblFase", Layout::lblFase, NumberFont, left);
    lblPuntos2 = label("lblPuntos2", Layout::lblPuntos2, NumberFont, right);
    lblEliminadas2 = label("lblEliminadas2", Layout::lblEliminadas2, NumberFont, right);
    lblNivel2 = label("lblNivel2", Layout::lblNivel2, NumberFont, right);
    // Right aligned and sized to its text, its right edge under the numbers' edge.
    lblJugador2 = label("lblJugador2", Layout::lblJugador2, NameFont, right);
    lblJugador2->setAutoSize(true, NameWidth);
    lblRocas1 = label("lblRocas1", Layout::lblRocas1, NameFont, left);
    lblStatus1 = label("lblStatus1", Layout::lblStatus1, NameFont, left);
    lblRocas2 = label("lblRocas2", Layout::lblRocas2, NameFont, left);
    lblStatus2 = label("lblStatus2", Layout::lblStatus2, NameFont, left);
    lblPista1 = label("lblPista1", Layout::lblPista1, NameFont, left);
    lblPista2 = label("lblPista2", Layout::lblPista2, NameFont, left);
    lblRed = label("lblRed", Layout::lblRed, Layout::NetFont, Qt::AlignHCenter | Qt::AlignTop);
    lblRed->setWordWrap(true);
    lblRed->hide();
    lblPista1->setProperty("Tag", 10018);
    lblPista2->setProperty("Tag", 10019);
    lblPista1->setText(GetText(10018));
    lblPista2->setText(GetText(10019));
    showStartHints(true);
    for (TEtiqueta *l :
         {lblPuntos1, lblEliminadas1, lblNivel1, lblFase, lblPuntos2, lblEliminadas2, lblNivel2})
        l->setText(QStringLiteral("0"));
    lblNivel1->setText(QStringLiteral("1"));
    lblNivel2->setText(QStringLiteral("1"));
}

// The hints take the strips' place while no game runs; the game's own lines come back
// with the next game.
void TfPrincipal::showStartHints(bool on) {
    lblPista1->setVisible(on);
    lblPista2->setVisible(on);
    for (TEtiqueta *line : {lblRocas1, lblStatus1, lblRocas2, lblStatus2})
        line->setVisible(!on);
}

void TfPrincipal::createButtons() {
    btnMenu = new TBotonPlano(QStringLiteral("btnMenu"), Layout::btnMenu, this);
    btnMinimizar = new TBotonPlano(QStringLiteral("btnMinimizar"), Layout::btnMinimizar, this);
    btnCerrar = new TBotonPlano(QStringLiteral("btnCerrar"), Layout::btnCerrar, this);
    const std::array<std::pair<TBotonPlano *, int>, 3> tags = {
        {{btnMenu, 10400}, {btnMinimizar, 10401}, {btnCerrar, 10402}}};
    for (auto [button, tag] : tags) {
        button->setProperty("Tag", tag);
        button->setText(GetText(tag));
        button->setToolTip(GetText(tag + 400));
    }
    connect(btnMenu, &QAbstractButton::clicked, this, &TfPrincipal::btnMenuClick);
    connect(btnMinimizar, &QAbstractButton::clicked, this, &TfPrincipal::btnMinimizarClick);
    connect(btnCerrar, &QAbstractButton::clicked, this, &TfPrincipal::mnSalirClick);
}

void TfPrincipal::loadPictures() {
    const QImage strip = LoadStatusStrip();
    imgStatus1->setPicture(strip);
    imgStatus2->setPicture(strip);
    const QImage icon = ReadPng(QStringLiteral(":/art/imgIcon64.png"));
    if (!icon.isNull())
        setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void TfPrincipal::createGame() {
    TPictures pics = takePictures ? takePictures() : LoadPictures();
    takePictures = nullptr;
    // Shared with the empty well until the game first draws into a well.
    imgFondo1->setPicture(pics.FondoVacio);
    imgFondo2->setPicture(pics.FondoVacio);
    imgMarcador->setPicture(pics.Marcador);

    const auto seed = std::uint32_t(QDateTime::currentMSecsSinceEpoch());
    game = std::make_unique<Game>(viewBindings(this), std::move(pics), seed);
    GameClock &clock = game->clock();
    Timer1 = &clock.timer(0);
    Timer2 = &clock.timer(1);
    TimerDibujar1 = &clock.timer(2);
    TimerDibujar2 = &clock.timer(3);
    TimerStatus = &clock.timer(4);
    driver = new ClockDriver(*game, this);
    createReplays();
}

GameBindings TfPrincipal::viewBindings(IGameHost *host) {
    GameBindings b;
    b.Players[0] = {imgFondo1,  imgSgtes1, lblPuntos1, lblEliminadas1,
                    lblStatus1, lblRocas1, lblNivel1,  lblJugador1};
    b.Players[1] = {imgFondo2,  imgSgtes2, lblPuntos2, lblEliminadas2,
                    lblStatus2, lblRocas2, lblNivel2,  lblJugador2};
    b.StageLabel = lblFase;
    b.Host = host;
    return b;
}

void TfPrincipal::post(InputKind kind, int code) {
    // A new game ends watching a replay first.
    if (watch && (kind == InputKind::NewGame || kind == InputKind::SelectMode))
        stopWatching();
    if (red) {
        netCommand(kind, code);
        return;
    }
    driver->post(Input::command(kind, code));
}

void TfPrincipal::CrearRegion() {
    regionForma = Layout::Outline();
    setMask(scale.map(regionForma));
}

void TfPrincipal::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (shown)
        return;
    shown = true;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The mixer and its waves come with the first game (setMixerActive), not with the
    // showing: the menu has no use for them.
}

void TfPrincipal::closeEvent(QCloseEvent *event) {
    if (game->Jugando && !closeWithoutAsking) {
        post(InputKind::PauseIfRunning);
        const QString title = QString::fromLatin1(ApplicationTitle);
        if (MostrarMensaje(GetText(10000), title, true) != 1) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TfPrincipal::btnMinimizarClick() {
    showMinimized();
}

void TfPrincipal::AplicacionDesactivada() {
    post(InputKind::PauseIfRunning);
    if (watch)
        watch->setPaused(true);
}

void TfPrincipal::imgCristalMouseDown(const QPoint &globalPos) {
    OrigenArrastre = globalPos;
    // A window filling the screen stays where it is.
    arrastrando = !fullScreenShown;
}

void TfPrincipal::imgCristalMouseMove(const QPoint &globalPos) {
    if (!arrastrando)
        return;
    move(pos() + (globalPos - OrigenArrastre));
    OrigenArrastre = globalPos;
}

void TfPrincipal::imgCristalMouseUp() {
    arrastrando = false;
}
