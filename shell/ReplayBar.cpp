#include "shell/ReplayBar.h"

#include "core/Texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {
// Below the rocks lines, where the status lines show in play, clear of the crystals.
constexpr QRect LeftArea{10, 434, 200, 19};
constexpr QRect RightArea{385, 434, 200, 19};
constexpr int FontPixels = 11;

// White symbols on the strips' dark ground, drawn large and scaled down by the icon.
QIcon symbol(ReplaySymbol which) {
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPolygon triangle({{10, 6}, {38, 24}, {10, 42}});
    switch (which) {
    case ReplaySymbol::Play:
        p.drawPolygon(triangle);
        break;
    case ReplaySymbol::Pause:
        p.drawRect(10, 6, 10, 36);
        p.drawRect(28, 6, 10, 36);
        break;
    case ReplaySymbol::Step:
        p.drawPolygon(triangle.translated(-4, 0));
        p.drawRect(34, 6, 8, 36);
        break;
    case ReplaySymbol::Stop:
        p.drawRect(8, 8, 32, 32);
        break;
    }
    return QIcon(picture);
}

QToolButton *toolButton(QWidget *parent, const char *name) {
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
} // namespace

TBarraRepeticion::TBarraRepeticion(const QString &name, const QRect &bounds, QWidget *parent)
    : QWidget(parent), TComponente(bounds) {
    setObjectName(name);
    setGeometry(bounds);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    setStyleSheet(QStringLiteral("QLabel, QToolButton, QPushButton { color: white; }"
                                 "QToolButton, QPushButton { padding: 0px 1px; border: none; }"
                                 "QToolButton:checked { background: rgba(255, 255, 255, 70); }"));
}

void TBarraRepeticion::setScale(const PixelScale &scale) {
    place(this, scale);
    QFont f = font();
    f.setPixelSize(FontPixels * scale.factor);
    setFont(f);
    // The style sheet keeps the children from taking the font from here.
    for (QWidget *child : findChildren<QWidget *>())
        child->setFont(f);
    // Narrow buttons leave the time its room.
    const QFontMetrics metrics(f);
    for (QToolButton *b : findChildren<QToolButton *>()) {
        b->setIconSize(QSize(10, 10) * scale.factor);
        b->setFixedWidth(b->text().isEmpty()
                             ? 14 * scale.factor
                             : metrics.horizontalAdvance(b->text()) + 4 * scale.factor);
    }
}

void ReplayControls::create(QWidget *window) {
    left = new TBarraRepeticion(QStringLiteral("barRepeticion1"), LeftArea, window);
    right = new TBarraRepeticion(QStringLiteral("barRepeticion2"), RightArea, window);
    btnPausa = toolButton(left, "btnPausaRepeticion");
    btnPaso = toolButton(left, "btnPasoRepeticion");
    btnPaso->setIcon(symbol(ReplaySymbol::Step));
    left->layout()->addWidget(btnPausa);
    left->layout()->addWidget(btnPaso);
    const int speeds[4] = {1, 2, 4, 8};
    for (size_t i = 0; i < btnVelocidad.size(); ++i) {
        QToolButton *b = toolButton(left, "btnVelocidad");
        b->setObjectName(QStringLiteral("btnVelocidad%1").arg(speeds[i]));
        b->setText(QChar(0xD7) + QString::number(speeds[i]));
        b->setCheckable(true);
        btnVelocidad[i] = b;
        left->layout()->addWidget(b);
    }
    lblTiempo = new QLabel(left);
    lblTiempo->setObjectName(QStringLiteral("lblTiempo"));
    lblTiempo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    static_cast<QHBoxLayout *>(left->layout())->addWidget(lblTiempo, 1);

    sbPosicion = new QSlider(Qt::Horizontal, right);
    sbPosicion->setObjectName(QStringLiteral("sbPosicion"));
    sbPosicion->setTracking(false);
    sbPosicion->setFocusPolicy(Qt::NoFocus);
    btnJugarAqui = new QPushButton(right);
    btnJugarAqui->setObjectName(QStringLiteral("btnJugarAqui"));
    btnJugarAqui->setFlat(true);
    btnJugarAqui->setFocusPolicy(Qt::NoFocus);
    btnParar = toolButton(right, "btnPararRepeticion");
    btnParar->setIcon(symbol(ReplaySymbol::Stop));
    static_cast<QHBoxLayout *>(right->layout())->addWidget(sbPosicion, 1);
    right->layout()->addWidget(btnJugarAqui);
    right->layout()->addWidget(btnParar);
    translate();
    setVisible(false);
}

void ReplayControls::setVisible(bool on) {
    left->setVisible(on);
    right->setVisible(on);
    if (on) {
        left->raise();
        right->raise();
    }
}

void ReplayControls::translate() {
    btnPaso->setToolTip(GetText(16232));
    btnParar->setToolTip(GetText(16229));
    btnJugarAqui->setText(GetText(16226));
}

QIcon ReplaySymbolIcon(ReplaySymbol which) {
    return symbol(which);
}
