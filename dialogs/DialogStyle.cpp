#include "dialogs/DialogStyle.h"

#include "dialogs/TranslateForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

QFont DialogFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QPixmap ResourcePicture(const QString &path, QSize size) {
    QPixmap picture(path);
    if (!picture.isNull())
        return picture;
    picture = QPixmap(size);
    picture.fill(QColor(24, 28, 72));
    QPainter painter(&picture);
    painter.setPen(QColor(120, 140, 230));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

QPixmap ApplicationIcon() {
    QPixmap icon(QStringLiteral(":/art/imgIcon.png"));
    if (!icon.isNull())
        return icon;
    // A plain blue gem until the artwork is there.
    icon = QPixmap(32, 32);
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

void FixedDialog::centreOnScreen() {
    QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->geometry();
    // A window's position is that of its outer frame.
    const QSize outer = frameGeometry().size();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 2);
}

void FixedDialog::showEvent(QShowEvent *event) {
    centreOnScreen();
    QDialog::showEvent(event);
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
