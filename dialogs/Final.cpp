#include "dialogs/Final.h"

#include "dialogs/TranslateForm.h"
#include "services/ResourceImage.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr QSize FrameSize(300, 74);

QPixmap loadFrame(int frame) {
    const QImage picture = ReadPng(QStringLiteral(":/art/imgAni%1.png").arg(frame));
    return picture.isNull() ? PlainLogoFrame(frame) : QPixmap::fromImage(picture);
}

} // namespace

QPixmap PlainLogoFrame(int frame) {
    QPixmap picture(FrameSize);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = DialogFont();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    const QRect area = picture.rect();
    const QString title = QString::fromLatin1(ApplicationTitle);
    for (int spread = frame; spread > 0; --spread) {
        painter.setPen(QColor(160, 40, 200, 30 + 25 * (frame - spread)));
        for (int dx = -spread; dx <= spread; dx += spread)
            for (int dy = -spread; dy <= spread; dy += spread)
                painter.drawText(area.translated(dx, dy), Qt::AlignCenter, title);
    }
    painter.setPen(QColor(235, 225, 255));
    painter.drawText(area, Qt::AlignCenter, title);
    return picture;
}

TfFinal::TfFinal(QWidget *parent) : FixedDialog(392, 273, parent) {
    SetTag(this, 15100);
    Marco = NewSunkenFrame(this, QRect(10, 10, 371, 221));
    lblTexto1 = NewLabel(this, 20, 20, 15101);
    lblTexto2 = NewLabel(this, 20, 40, 15102);
    lblTexto2->setWordWrap(true);
    lblTexto2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTexto2->resize(346, 39);
    lblEmail = NewLabel(this, 85, 90);
    lblEmail->setText(QStringLiteral("E-mail:"));
    edEmail = NewAddressBox(this, QRect(130, 87, 176, 21), QString::fromLatin1(MakerEmail));
    lblWWW = NewLabel(this, 85, 110);
    lblWWW->setText(QStringLiteral("WWW:"));
    edWWW = NewAddressBox(this, QRect(130, 107, 176, 21), QString::fromLatin1(MakerWeb));
    imgAni = new TPicture(this);
    imgAni->setGeometry(QRect(QPoint(46, 140), FrameSize));
    btnAceptar = NewButton(this, QRect(158, 240, 75, 25), 15103);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });

    for (int i = 0; i < 5; ++i)
        imgAniFrames[i] = loadFrame(i + 1);
    // The surface is a copy, so drawing on it never touches frame 1.
    surface = imgAniFrames[0].copy();
    imgAni->setPixmap(surface);
    Timer.setInterval(175);
    connect(&Timer, &QTimer::timeout, this, &TfFinal::TimerTimer);

    TranslateForm(this);
    FitLabel(lblTexto1);
    ShrinkToFit(lblTexto2);
    FitLabel(lblEmail);
    FitLabel(lblWWW);
}

void TfFinal::showEvent(QShowEvent *event) {
    edEmail->setFocus();
    Timer.start();
    FixedDialog::showEvent(event);
}

void TfFinal::TimerTimer() {
    if (Frame == 5)
        Direction = -1;
    if (Frame == 1)
        Direction = 1;
    Frame += Direction;
    if (Frame < 1 || Frame > 5)
        return;
    QPainter painter(&surface);
    painter.drawPixmap(0, 0, imgAniFrames[Frame - 1]);
    painter.end();
    imgAni->setPixmap(surface);
}
