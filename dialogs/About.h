#pragma once

#include "dialogs/DialogStyle.h"

#include <QLineEdit>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QUrl;

// A read-only box styled as a link; a click or Space opens it.
class TLinkBox : public QLineEdit {
    Q_OBJECT
public:
    TLinkBox(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The about box: name, version, credit, the makers' addresses as links, and the terms.
class TfAbout : public FixedDialog {
    Q_OBJECT
public:
    explicit TfAbout(QWidget *parent = nullptr);

    // Hands an address to the desktop; tests replace it.
    std::function<bool(const QUrl &)> openUrl;

    QFrame *Cuadro;
    QLabel *imgIcon;
    QLabel *lblName;
    QLabel *lblVersion;
    QLabel *lblAuthor;
    QLabel *lblEmail;
    TLinkBox *edEmail;
    QLabel *lblWWW;
    TLinkBox *edWWW;
    QLabel *lblSendEMail;
    QLabel *lblInfo;
    QLabel *lblResponsibility;
    QPushButton *btnAceptar;

public slots:
    void edEmailClick();
    void edWWWClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void open(const QUrl &url);
};
