#include "dialogs/Red.h"

#include "core/Texts.h"
#include "dialogs/TranslateForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <memory>

namespace {

constexpr int PersonText = 10113, CpuNameText = 16005, FirstLevelText = 16000, Levels = 5;

QSpinBox *newPortBox(QWidget *parent, const QRect &geometry, int port) {
    auto *box = new QSpinBox(parent);
    box->setGeometry(geometry);
    box->setRange(1, 65535);
    box->setValue(port);
    return box;
}

} // namespace

TfRed::TfRed(const NetChoice &c, std::function<QList<NetListing>()> listing, QWidget *parent)
    : FixedDialog(385, 296, parent), listing(std::move(listing)) {
    SetTag(this, 17001);
    rbCrear = new QRadioButton(this);
    rbCrear->setGeometry(10, 8, 300, 20);
    SetTag(rbCrear, 17002);
    QLabel *labels[6];
    labels[0] = NewLabel(this, 30, 36, 17004);
    spPuertoCrear = newPortBox(this, QRect(80, 32, 70, 21), c.port);
    chkAnunciar = new QCheckBox(this);
    chkAnunciar->setGeometry(160, 32, 220, 21);
    chkAnunciar->setChecked(c.announce);
    SetTag(chkAnunciar, 17007);
    rbUnirse = new QRadioButton(this);
    rbUnirse->setGeometry(10, 62, 300, 20);
    SetTag(rbUnirse, 17003);
    labels[1] = NewLabel(this, 30, 90, 17015);
    edDireccion = new QLineEdit(this);
    edDireccion->setGeometry(95, 86, 185, 21);
    edDireccion->setText(c.address);
    edDireccion->setMaxLength(255);
    labels[2] = NewLabel(this, 286, 90, 17004);
    spPuertoUnirse = newPortBox(this, QRect(320, 86, 58, 21), c.port);
    labels[3] = NewLabel(this, 30, 114, 17008);
    lstPartidas = new QListWidget(this);
    lstPartidas->setGeometry(30, 130, 348, 60);
    labels[4] = NewLabel(this, 10, 204, 17005);
    edNombre = new QLineEdit(this);
    edNombre->setGeometry(95, 200, 160, 21);
    edNombre->setMaxLength(24);
    edNombre->setText(c.name);
    labels[5] = NewLabel(this, 10, 230, 17006);
    cbJuega = new QComboBox(this);
    cbJuega->setGeometry(95, 226, 160, 21);
    btnJugar = NewButton(this, QRect(218, 264, 76, 25), 17009);
    btnJugar->setDefault(true);
    btnCancelar = NewButton(this, QRect(302, 264, 76, 25), 17022);
    TranslateForm(this);
    for (QLabel *label : labels)
        FitLabel(label);
    cbJuega->addItem(GetText(PersonText));
    for (int i = 0; i < Levels; ++i)
        cbJuega->addItem(GetTextFmt(CpuNameText, {GetText(FirstLevelText + i)}));
    cbJuega->setCurrentIndex(std::clamp(c.player, 0, Levels));
    (c.host ? rbCrear : rbUnirse)->setChecked(true);
    connect(rbCrear, &QRadioButton::toggled, this, &TfRed::updateEnabled);
    connect(lstPartidas, &QListWidget::currentRowChanged, this, &TfRed::pick);
    connect(btnJugar, &QPushButton::clicked, this, &TfRed::play);
    connect(btnCancelar, &QPushButton::clicked, this, [this] { done(2); });
    refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, &TfRed::refreshListing);
    refresh->start(500);
    refreshListing();
    updateEnabled();
}

void TfRed::updateEnabled() {
    const bool host = rbCrear->isChecked();
    spPuertoCrear->setEnabled(host);
    chkAnunciar->setEnabled(host);
    edDireccion->setEnabled(!host);
    spPuertoUnirse->setEnabled(!host);
}

void TfRed::refreshListing() {
    if (!listing)
        return;
    const QList<NetListing> now = listing();
    bool same = now.size() == shown.size();
    for (int i = 0; same && i < now.size(); ++i)
        same = now[i].address == shown[i].address && now[i].port == shown[i].port &&
               now[i].name == shown[i].name;
    if (same)
        return;
    shown = now;
    const QSignalBlocker quiet(lstPartidas);
    lstPartidas->clear();
    for (const NetListing &g : shown)
        lstPartidas->addItem(QStringLiteral("%1 - %2:%3").arg(g.name, g.address).arg(g.port));
}

void TfRed::pick(int row) {
    if (row < 0 || row >= shown.size())
        return;
    rbUnirse->setChecked(true);
    edDireccion->setText(shown[row].address);
    spPuertoUnirse->setValue(shown[row].port);
}

void TfRed::play() {
    if (rbUnirse->isChecked() && edDireccion->text().trimmed().isEmpty()) {
        QMessageBox::warning(this, GetText(17001), GetText(17016));
        return;
    }
    done(1);
}

NetChoice TfRed::choice() const {
    NetChoice c;
    c.host = rbCrear->isChecked();
    c.address = edDireccion->text().trimmed();
    c.port = c.host ? spPuertoCrear->value() : spPuertoUnirse->value();
    c.name = edNombre->text().trimmed();
    c.player = cbJuega->currentIndex();
    c.announce = chkAnunciar->isChecked();
    return c;
}

bool PedirPartidaRed(NetChoice &choice, const std::function<QList<NetListing>()> &listing,
                     QWidget *parent) {
    auto dialog = std::make_unique<TfRed>(choice, listing, parent);
    if (dialog->exec() != 1)
        return false;
    choice = dialog->choice();
    return true;
}
