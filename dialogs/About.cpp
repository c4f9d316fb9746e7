#include "dialogs/About.h"

#include "core/Texts.h"
#include "dialogs/TranslateForm.h"

#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr const char *CreditLine = "Made by Orvane Soft, %s";
constexpr const char *YearsOfMaking = "2026";

QLabel *newWrappedLabel(QWidget *parent, const QRect &geometry, int tag) {
    QLabel *label = NewLabel(parent, geometry.left(), geometry.top(), tag);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->resize(geometry.size());
    return label;
}

} // namespace

TLinkBox::TLinkBox(const QString &text, QWidget *parent) : QLineEdit(text, parent) {
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    colours.setColor(QPalette::Text, colours.color(QPalette::Highlight));
    setPalette(colours);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursorPosition(0);
}

void TLinkBox::mouseReleaseEvent(QMouseEvent *event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !hasSelectedText())
        emit clicked();
}

void TLinkBox::keyPressEvent(QKeyEvent *event) {
    // Return belongs to the dialog's default button; Space opens the link.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        event->accept();
        emit clicked();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TfAbout::TfAbout(QWidget *parent)
    : FixedDialog(392, 308, parent), openUrl(&QDesktopServices::openUrl) {
    SetTag(this, 65000);
    Cuadro = NewSunkenFrame(this, QRect(10, 10, 373, 256));
    imgIcon = NewIconPicture(this, QRect(25, 20, 32, 32));
    lblName = NewLabel(this, 70, 20);
    QFont bold = font();
    bold.setBold(true);
    lblName->setFont(bold);
    lblVersion = NewLabel(this, 70, 40, 65001);
    lblAuthor = NewLabel(this, 25, 65);
    lblEmail = NewLabel(this, 90, 95);
    lblEmail->setText(QStringLiteral("E-mail:"));
    edEmail = new TLinkBox(QString::fromLatin1(MakerEmail), this);
    edEmail->setGeometry(135, 92, 168, 21);
    lblWWW = NewLabel(this, 90, 115);
    lblWWW->setText(QStringLiteral("WWW:"));
    edWWW = new TLinkBox(QString::fromLatin1(MakerWeb), this);
    edWWW->setGeometry(135, 112, 168, 21);
    lblSendEMail = newWrappedLabel(this, QRect(27, 140, 344, 13), 65002);
    lblSendEMail->setWordWrap(false);
    lblInfo = newWrappedLabel(this, QRect(27, 160, 344, 52), 65003);
    lblResponsibility = newWrappedLabel(this, QRect(27, 217, 344, 39), 65004);
    btnAceptar = NewButton(this, QRect(158, 275, 75, 25), 65005);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    connect(edEmail, &TLinkBox::clicked, this, &TfAbout::edEmailClick);
    connect(edWWW, &TLinkBox::clicked, this, &TfAbout::edWWWClick);

    TranslateForm(this);
    lblVersion->setText(FormatText(lblVersion->text(),
                                   {COBALTIX_VERSION_MAJOR, COBALTIX_VERSION_MINOR, QString()}));
    lblName->setText(QString::fromLatin1(ApplicationTitle));
    lblAuthor->setText(
        FormatText(QString::fromLatin1(CreditLine), {QString::fromLatin1(YearsOfMaking)}));
    for (QLabel *label : {lblName, lblVersion, lblAuthor, lblEmail, lblWWW})
        FitLabel(label);
    for (QLabel *label : {lblSendEMail, lblInfo, lblResponsibility})
        ShrinkToFit(label);
}

void TfAbout::showEvent(QShowEvent *event) {
    btnAceptar->setFocus();
    FixedDialog::showEvent(event);
}

void TfAbout::edEmailClick() {
    open(QUrl(QStringLiteral("mailto:") + edEmail->text()));
}

void TfAbout::edWWWClick() {
    open(QUrl::fromUserInput(edWWW->text()));
}

void TfAbout::open(const QUrl &url) {
    if (!openUrl || !openUrl(url))
        QMessageBox::critical(this, GetText(1), GetText(1009));
}
