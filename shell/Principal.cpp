#include "shell/Principal.h"

#include "shell/Artwork.h"
#include "shell/Cristal.h"
#include "shell/Layout.h"
#include "services/ErrorReport.h"
#include "services/Fases.h"
#include "services/Language.h"
#include "core/Texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>

TfPrincipal::TfPrincipal(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fPrincipal"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(Layout::Client);
    setFocusPolicy(Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    Sonidos.Crear();
    createComponents();
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    AplicacionDesactivada();
            });
    loadPictures();
    CrearRegion();
    createGame();

    TFaseTable stages{};
    QString why;
    stagesLoaded = LoadStageFile(stages, &why);
    if (stagesLoaded)
        game->Fases = stages;
    else
        ReportError(GetText(1003), GetTextFmt(1008, {QString::fromLatin1(StageFileName)}));

    game->TeclasReservadas.fill(false);
    // F11 is the window's own: it switches full screen.
    for (int key : {112, 113, 114, 116, 122})
        game->TeclasReservadas[size_t(key)] = true;
    LeerConfiguracion();
    applyWindowZoom(StartZoom(chosenZoom, availableArea()));
    lastStored = currentSettings();
    if (GetLanguage() == LanguageEnglish)
        mnIdiomaClick(mnEnglish);
    else if (GetLanguage() == LanguageSpanish)
        mnIdiomaClick(mnEspaniol);
}

TfPrincipal::~TfPrincipal() {
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
    createTimers();
    createMenu();
}

void TfPrincipal::createLabels() {
    using Layout::NameFont, Layout::NumberFont;
    const auto left = Qt::AlignLeft, right = Qt::AlignRight;
    auto label = [this](const char *name, QRect r, int font, Qt::Alignment a) {
        return new TEtiqueta(QLatin1String(name), r, font, a, this);
    };
    // Scoreboard: player 1 reads from the top, player 2 from the bottom, right aligned.
    lblJugador1 = label("lblJugador1", Layout::lblJugador1, NameFont, left);
    lblJugador1->setAutoSize(true);
    lblPuntos1 = label("lblPuntos1", Layout::lblPuntos1, NumberFont, left);
    lblEliminadas1 = label("lblEliminadas1", Layout::lblEliminadas1, NumberFont, left);
    lblNivel1 = label("lblNivel1", Layout::lblNivel1, NumberFont, left);
    lblFase = label("lblFase", Layout::lblFase, NumberFont, left);
    lblPuntos2 = label("lblPuntos2", Layout::lblPuntos2, NumberFont, right);
    lblEliminadas2 = label("lblEliminadas2", Layout::lblEliminadas2, NumberFont, right);
    lblNivel2 = label("lblNivel2", Layout::lblNivel2, NumberFont, right);
    // Right aligned and sized to its text, its right edge under the numbers' edge.
    lblJugador2 = label("lblJugador2", Layout::lblJugador2, NameFont, right);
    lblJugador2->setAutoSize(true);
    lblRocas1 = label("lblRocas1", Layout::lblRocas1, NameFont, left);
    lblStatus1 = label("lblStatus1", Layout::lblStatus1, NameFont, left);
    lblRocas2 = label("lblRocas2", Layout::lblRocas2, NameFont, left);
    lblStatus2 = label("lblStatus2", Layout::lblStatus2, NameFont, left);
    for (TEtiqueta *l :
         {lblPuntos1, lblEliminadas1, lblNivel1, lblFase, lblPuntos2, lblEliminadas2, lblNivel2})
        l->setText(QStringLiteral("0"));
    lblNivel1->setText(QStringLiteral("1"));
    lblNivel2->setText(QStringLiteral("1"));
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

void TfPrincipal::createTimers() {
    Timer1 = new TTemporizador(QStringLiteral("Timer1"), 500, this);
    Timer2 = new TTemporizador(QStringLiteral("Timer2"), 500, this);
    TimerDibujar1 = new TTemporizador(QStringLiteral("TimerDibujar1"), DrawInterval, this);
    TimerDibujar2 = new TTemporizador(QStringLiteral("TimerDibujar2"), DrawInterval, this);
    TimerStatus = new TTemporizador(QStringLiteral("TimerStatus"), StatusInterval, this);
    Timer1->setTag(1);
    Timer2->setTag(2);
    TimerDibujar1->setTag(1);
    TimerDibujar2->setTag(2);
}

void TfPrincipal::loadPictures() {
    const QImage strip = LoadStatusStrip();
    imgStatus1->setPicture(strip);
    imgStatus2->setPicture(strip.copy());
    const QImage icon(QStringLiteral(":/art/imgIcon64.png"));
    if (!icon.isNull())
        setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void TfPrincipal::createGame() {
    TPictures pics = LoadPictures();
    imgFondo1->setPicture(pics.FondoVacio.copy());
    imgFondo2->setPicture(pics.FondoVacio.copy());
    imgMarcador->setPicture(pics.Marcador);

    GameBindings b;
    b.Players[0] = {imgFondo1, imgSgtes1, lblPuntos1,  lblEliminadas1, lblStatus1,
                    lblRocas1, lblNivel1, lblJugador1, Timer1,         TimerDibujar1};
    b.Players[1] = {imgFondo2, imgSgtes2, lblPuntos2,  lblEliminadas2, lblStatus2,
                    lblRocas2, lblNivel2, lblJugador2, Timer2,         TimerDibujar2};
    b.TimerStatus = TimerStatus;
    b.StageLabel = lblFase;
    b.Host = this;
    const auto seed = std::uint32_t(QDateTime::currentMSecsSinceEpoch());
    game = std::make_unique<Game>(b, std::move(pics), seed);

    Timer1->OnTimer = [this](ITimer &t) { game->TimerTimer(t); };
    Timer2->OnTimer = [this](ITimer &t) { game->TimerTimer(t); };
    TimerDibujar1->OnTimer = [this](ITimer &t) { game->TimerDibujarTimer(t); };
    TimerDibujar2->OnTimer = [this](ITimer &t) { game->TimerDibujarTimer(t); };
    TimerStatus->OnTimer = [this](ITimer &) { game->TimerStatusTimer(); };
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
    FormShow();
}

void TfPrincipal::FormShow() {
    Sonidos.Abrir();
}

void TfPrincipal::closeEvent(QCloseEvent *event) {
    if (game->Jugando && !closeWithoutAsking) {
        game->PauseIfRunning();
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
    game->PauseIfRunning();
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
