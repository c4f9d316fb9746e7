#include "dialogs/DialogZoom.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

namespace {

int dialogZoom = 1;
const char *const FactorProperty = "ZoomFactor";
const char *const IconProperty = "ZoomIcon";
// Room for the window manager's frame and title bar around a dialog.
constexpr QSize FrameAllowance(16, 48);

int scaled(int value, int from, int to) {
    return value * to / from;
}

QSize scaledSize(const QSize &size, int from, int to) {
    return {scaled(size.width(), from, to), scaled(size.height(), from, to)};
}

// Parts that only hold other placed parts; other widgets place their insides themselves.
bool isContainer(const QWidget *widget) {
    return qobject_cast<const QGroupBox *>(widget) ||
           widget->metaObject() == &QWidget::staticMetaObject ||
           widget->metaObject() == &QFrame::staticMetaObject;
}

void scaleOwnFont(QWidget *widget, int from, int to) {
    if (widget->testAttribute(Qt::WA_SetFont))
        widget->setFont(ScaledFont(widget->font(), from, to));
}

void scalePlacedParts(QWidget *parent, int from, int to) {
    for (QObject *child : parent->children()) {
        auto *part = qobject_cast<QWidget *>(child);
        if (!part || part->isWindow())
            continue;
        const QRect g = part->geometry();
        part->setGeometry(scaled(g.x(), from, to), scaled(g.y(), from, to),
                          scaled(g.width(), from, to), scaled(g.height(), from, to));
        scaleOwnFont(part, from, to);
        if (auto *frame = qobject_cast<QFrame *>(part)) {
            frame->setLineWidth(scaled(frame->lineWidth(), from, to));
            frame->setMidLineWidth(scaled(frame->midLineWidth(), from, to));
        }
        if (isContainer(part))
            scalePlacedParts(part, from, to);
    }
}

void scaleFixedPlaces(QDialog *dialog, int from, int to) {
    scalePlacedParts(dialog, from, to);
    const QSize size = scaledSize(dialog->size(), from, to);
    if (dialog->minimumSize() == dialog->maximumSize())
        dialog->setFixedSize(size);
    else
        dialog->resize(size);
}

QStyle::StandardPixmap standardPixmap(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

void scaleLaidOut(QDialog *dialog, int from, int to) {
    for (QWidget *part : dialog->findChildren<QWidget *>())
        if (!part->isWindow())
            scaleOwnFont(part, from, to);
    auto *box = qobject_cast<QMessageBox *>(dialog);
    if (!box)
        return;
    // A picture set in place of the standard icon makes the box forget its kind.
    if (box->icon() != QMessageBox::NoIcon)
        box->setProperty(IconProperty, int(box->icon()));
    const auto kind = QMessageBox::Icon(box->property(IconProperty).toInt());
    if (kind == QMessageBox::NoIcon)
        return;
    const int side = box->iconPixmap().width() / from * to;
    QPixmap picture = box->style()->standardIcon(standardPixmap(kind)).pixmap(side, side);
    // The style may hold no image that large.
    if (picture.width() < side)
        picture = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    box->setIconPixmap(picture);
}

void rescale(QDialog *dialog, int from, int to) {
    // The parts without a font of their own follow the dialog's.
    dialog->setFont(ScaledFont(dialog->font(), from, to));
    if (dialog->layout())
        scaleLaidOut(dialog, from, to);
    else
        scaleFixedPlaces(dialog, from, to);
    dialog->setProperty(FactorProperty, to);
}

bool fits(const QDialog *dialog, const QRect &available) {
    const QSize size =
        dialog->layout() ? dialog->sizeHint().expandedTo(dialog->size()) : dialog->size();
    const QSize outer = size + FrameAllowance;
    return outer.width() <= available.width() && outer.height() <= available.height();
}

} // namespace

QFont ScaledFont(QFont font, int from, int to) {
    if (font.pixelSize() > 0)
        font.setPixelSize(scaled(font.pixelSize(), from, to));
    else
        font.setPointSizeF(font.pointSizeF() * to / from);
    return font;
}

void SetDialogZoom(int factor) {
    dialogZoom = qMax(1, factor);
}

int DialogZoom() {
    return dialogZoom;
}

int DialogFactor(const QDialog *dialog) {
    return qMax(1, dialog->property(FactorProperty).toInt());
}

int ZoomDialog(QDialog *dialog, int factor) {
    const QScreen *screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    for (int to = qMax(1, factor);; --to) {
        const int from = DialogFactor(dialog);
        if (from != to)
            rescale(dialog, from, to);
        if (to == 1 || available.isEmpty() || fits(dialog, available))
            return to;
    }
}

TDialogZoom::TDialogZoom() {
    qApp->installEventFilter(this);
}

TDialogZoom::~TDialogZoom() {
    qApp->removeEventFilter(this);
}

bool TDialogZoom::eventFilter(QObject *watched, QEvent *event) {
    const bool show = event->type() == QEvent::Show, hide = event->type() == QEvent::Hide;
    if ((show || hide) && !event->spontaneous()) {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && dialog->isWindow())
            ZoomDialog(dialog, show ? DialogZoom() : 1);
    }
    return QObject::eventFilter(watched, event);
}
