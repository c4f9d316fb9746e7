#pragma once

#include <QFont>
#include <QObject>

class QDialog;

// font with its size multiplied by to / from, in pixels or points as it is given.
QFont ScaledFont(QFont font, int from, int to);

// The whole factor every dialog is drawn at: the game window's, set by the window.
void SetDialogZoom(int factor);
int DialogZoom();

// Draws dialog at factor (1 restores it), from the factor it is drawn at now. A dialog
// of fixed places gets the rectangle and font of every placed part multiplied; one
// arranged by a layout gets its fonts and icon, and its layout does the rest. The
// factor is lowered until the dialog fits its screen's available area. Returns the
// factor used.
int ZoomDialog(QDialog *dialog, int factor);

// The factor a dialog is drawn at now.
int DialogFactor(const QDialog *dialog);

// While it lives, every dialog of the application is drawn at DialogZoom() as it is
// shown and at factor 1 again as it is hidden, so the dialogs' own code always lays
// them out at factor 1.
class TDialogZoom : public QObject {
public:
    TDialogZoom();
    ~TDialogZoom() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
