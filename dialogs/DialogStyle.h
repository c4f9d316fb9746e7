#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "core/Texts.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Where players reach the makers, shown by the end and about forms.
inline constexpr const char *MakerEmail = "cobaltix@orvanesoft.example";
inline constexpr const char *MakerWeb = "www.orvanesoft.example";

// A sans-serif face whose 11-pixel size has 13-pixel lines, so the dialogs' texts fit
// the rectangles they were drawn for.
QFont DialogFont();

// A picture of the program's resources, or a plain one of the given size when the
// resource is missing.
QPixmap ResourcePicture(const QString &path, QSize size);
QPixmap ApplicationIcon();
// The application icon in every size the resources hold.
QIcon ApplicationIcons();

// A picture filling its rectangle at any size: artwork (the label's pixmap, kept at
// factor 1) by whole pixels, never blended; an icon from its best-sized image.
class TPicture : public QLabel {
    Q_OBJECT
public:
    explicit TPicture(QWidget *parent);

    void setIcon(const QIcon &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon icon;
};

// The application icon at a fixed place, as the dialogs show it.
TPicture *NewIconPicture(QWidget *parent, const QRect &geometry);

// Base of every dialog: fixed client size, dialog border with a close box, the dialog
// font, its frame centred on the screen each time it is shown.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(int clientWidth, int clientHeight, QWidget *parent = nullptr);

    void setClientSize(int clientWidth, int clientHeight);
    void centreOnScreen();

    // A dialog without a Cancel button ignores Escape; the close box still closes it.
    void setEscapeCloses(bool on) { escapeCloses = on; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool escapeCloses = true;
    // The window manager frames the dialog only once it is mapped; centring is
    // repeated then, when the real frame is known.
    bool centredWithFrame = false;
    bool recentrePending = false;
};

// Controls placed at fixed client positions; the Tag is the id of their text.
QFrame *NewSunkenFrame(QWidget *parent, const QRect &geometry);
QLabel *NewLabel(QWidget *parent, int left, int top, int tag = 0);
QPushButton *NewButton(QWidget *parent, const QRect &geometry, int tag = 0);
void FitLabel(QLabel *label);

// A label of fixed size keeps its rectangle; a text too long for it (a translation, say)
// is drawn in a smaller face, down to 8 pixels, rather than cut off.
void ShrinkToFit(QLabel *label);

// A read-only one-line box with the button-face background, whose text can be selected
// and copied.
QLineEdit *NewAddressBox(QWidget *parent, const QRect &geometry, const QString &text);
