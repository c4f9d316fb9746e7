#include "dialogs/DialogStyle.h"

#include "dialogs/TranslateForm.h"
#include "services/ResourceImage.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

QFont DialogFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QPixmap ResourcePicture(const QString &path, QSize size) {
    if (const QImage image = ReadPng(path); !image.isNull())
        return QPixmap::fromImage(image);
    QPixmap picture(size);
    picture.fill(QColor(24, 28, 72));
    QPainter painter(&picture);
    painter.setPen(QColor(120, 140, 230));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

QPixmap ApplicationIcon() {
    if (const QImage image = ReadPng(QStringLiteral(":/art/imgIcon.png")); !image.isNull())
        return QPixmap::fromImage(image);
    // A plain blue gem until the artwork is there.
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygonF gem({{16, 2}, {29, 12}, {16, 30}, {3, 12}});
    painter.setPen(QPen(QColor(20, 30, 90), 1.5));
    painter.setBrush(QColor(60, 90, 220));
    painter.drawPolygon(gem);
    painter.setBrush(QColor(150, 180, 255));
    painter.drawPolygon(QPolygonF({{16, 2}, {29, 12}, {16, 12}}));
    return icon;
}

QIcon ApplicationIcons() {
    QIcon icons(ApplicationIcon());
    for (int side : {48, 64, 128, 256}) {
        const QPixmap picture(QStringLiteral(":/art/imgIcon%1.png").arg(side));
        if (!picture.isNull())
            icons.addPixmap(picture);
    }
    return icons;
}

TPicture::TPicture(QWidget *parent) : QLabel(parent) {}

void TPicture::setIcon(const QIcon &picture) {
    icon = picture;
    update();
}

void TPicture::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!icon.isNull()) {
        // The largest image the icon has up to the size needed, brought to that size.
        const QPixmap best = icon.pixmap(size(), devicePixelRatioF());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), best);
        return;
    }
    const QPixmap picture = pixmap();
    if (picture.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), picture);
}

TPicture *NewIconPicture(QWidget *parent, const QRect &geometry) {
    auto *picture = new TPicture(parent);
    picture->setGeometry(geometry);
    picture->setIcon(ApplicationIcons());
    return picture;
}

FixedDialog::FixedDialog(int clientWidth, int clientHeight, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setFont(DialogFont());
    setClientSize(clientWidth, clientHeight);
}

void FixedDialog::setClientSize(int clientWidth, int clientHeight) {
    setFixedSize(clientWidth, clientHeight);
}

namespace {
// The frame the window manager drew around the last dialog, for the next one whose
// frame is not known yet.
QMargins lastFrame;
} // namespace

void FixedDialog::centreOnScreen() {
    QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!frame.isNull())
        lastFrame = frame;
    const QMargins outerFrame = frame.isNull() ? lastFrame : frame;
    const QSize outer = size().grownBy(outerFrame);
    const QRect area = target->geometry();
    const QPoint frameAt(area.left() + (area.width() - outer.width()) / 2,
                         area.top() + (area.height() - outer.height()) / 2);
    // The client area is placed, inside the frame: a position given for the frame is
    // taken for the client by some window managers while the frame is still new.
    setGeometry(QRect(frameAt + QPoint(outerFrame.left(), outerFrame.top()), size()));
    centredWithFrame = !frame.isNull();
}

bool FixedDialog::event(QEvent *event) {
    // The frame becomes known once the window manager has taken the mapped window, with
    // no event of its own; look at the first paints and activation, and centre again
    // once, never after the player has moved the dialog.
    const QEvent::Type type = event->type();
    const bool look = type == QEvent::Paint || type == QEvent::UpdateRequest ||
                      type == QEvent::WindowActivate || type == QEvent::Move;
    if (look && isVisible() && !centredWithFrame && !recentrePending && windowHandle() &&
        !windowHandle()->frameMargins().isNull()) {
        recentrePending = true;
        QTimer::singleShot(0, this, [this] {
            recentrePending = false;
            if (isVisible() && !centredWithFrame)
                centreOnScreen();
        });
    }
    return QDialog::event(event);
}

void FixedDialog::showEvent(QShowEvent *event) {
    centreOnScreen();
    QDialog::showEvent(event);
}

void FixedDialog::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && !escapeCloses) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QFrame *NewSunkenFrame(QWidget *parent, const QRect &geometry) {
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(geometry);
    return frame;
}

QLabel *NewLabel(QWidget *parent, int left, int top, int tag) {
    auto *label = new QLabel(parent);
    label->move(left, top);
    label->resize(1, 13);
    SetTag(label, tag);
    return label;
}

QPushButton *NewButton(QWidget *parent, const QRect &geometry, int tag) {
    auto *button = new QPushButton(parent);
    button->setGeometry(geometry);
    SetTag(button, tag);
    return button;
}

void FitLabel(QLabel *label) {
    label->resize(label->sizeHint());
}

namespace {

bool fits(const QLabel *label, const QFont &font) {
    const QFontMetrics metrics(font);
    const QRect box = label->contentsRect();
    const int flags = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, box.width(), 100000), flags, label->text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

void ShrinkToFit(QLabel *label) {
    QFont font = label->parentWidget() ? label->parentWidget()->font() : DialogFont();
    while (!fits(label, font) && font.pixelSize() > 8)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

QLineEdit *NewAddressBox(QWidget *parent, const QRect &geometry, const QString &text) {
    auto *box = new QLineEdit(text, parent);
    box->setReadOnly(true);
    box->setGeometry(geometry);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    box->setCursorPosition(0);
    return box;
}
