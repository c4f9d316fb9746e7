#include "dialogs/TablaRecords.h"

#include "core/Texts.h"
#include "dialogs/Mensajes.h"
#include "dialogs/Records.h"
#include "dialogs/TranslateForm.h"

#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

constexpr int ColumnHeight = 131;

QLabel *boldLabel(QWidget *parent, int left, int top, int tag) {
    QLabel *label = NewLabel(parent, left, top, tag);
    QFont bold = parent->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// Ten lines, one per row, from the top; long names are cut at the column's edge.
QLabel *column(QWidget *parent, int left, int top, int width) {
    auto *label = new QLabel(parent);
    label->setGeometry(left, top, width, ColumnHeight);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void rowNumbers(QWidget *parent, int top) {
    QLabel *numbers = boldLabel(parent, 22, top, 0);
    numbers->setGeometry(22, top, 19, 130);
    numbers->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QStringList lines;
    for (int row = 1; row <= RecordRows; ++row)
        lines << QStringLiteral("%1.").arg(row);
    numbers->setText(lines.join(QLatin1Char('\n')));
}

// A line along the bottom of a 411 x 21 box, and lines along the right edge of
// 21 x 151 boxes, as the table's grid.
void grid(QWidget *parent, int top, std::initializer_list<int> separators) {
    auto *horizontal = new QFrame(parent);
    horizontal->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    horizontal->setGeometry(20, top + 19, 411, 2);
    for (int left : separators) {
        auto *vertical = new QFrame(parent);
        vertical->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        vertical->setGeometry(left + 19, top + 5, 2, 151);
    }
}

} // namespace

TfTablaRecords::TfTablaRecords(QString Clave, UserStore store, QWidget *parent)
    : FixedDialog(452, 428, parent),
      own(std::make_unique<RecordTables>(std::move(Clave), std::move(store))), records(*own) {
    build();
}

TfTablaRecords::TfTablaRecords(RecordTables &shared, QWidget *parent)
    : FixedDialog(452, 428, parent), records(shared) {
    build();
}

void TfTablaRecords::build() {
    SetTag(this, 14100);
    PedirRecord = [this](const QString &proposed, qint32 points) {
        auto dialog = std::make_unique<TfRecords>(this);
        return dialog->PedirRecord(proposed, points);
    };
    buildStageTable();
    buildVsTable();
    buildButtons();
    MostrarRecords();
    retranslate();
}

TfTablaRecords::~TfTablaRecords() {
    if (own)
        own->GuardarRecords();
}

void TfTablaRecords::buildStageTable() {
    autoSized << boldLabel(this, 10, 5, 14101);
    NewSunkenFrame(this, QRect(10, 20, 431, 171));
    grid(this, 25, {25, 80, 120});
    autoSized << NewLabel(this, 50, 30, 14104) << NewLabel(this, 105, 30, 14105)
              << NewLabel(this, 145, 30, 14103);
    rowNumbers(this, 50);
    lblPuntosFases = column(this, 50, 50, 46);
    lblFasesFases = column(this, 105, 50, 31);
    lblNombresFases = column(this, 145, 50, 276);
}

void TfTablaRecords::buildVsTable() {
    autoSized << boldLabel(this, 10, 200, 14102);
    NewSunkenFrame(this, QRect(10, 215, 431, 171));
    grid(this, 220, {25, 80, 135, 190});
    autoSized << NewLabel(this, 50, 225, 14106) << NewLabel(this, 105, 225, 14107)
              << NewLabel(this, 160, 225, 14104) << NewLabel(this, 215, 225, 14103);
    rowNumbers(this, 245);
    lblJugadasVs = column(this, 50, 245, 46);
    lblGanadasVs = column(this, 105, 245, 46);
    lblPuntosVs = column(this, 160, 245, 46);
    lblNombresVs = column(this, 215, 245, 211);
}

void TfTablaRecords::buildButtons() {
    btnBorrarJugadorVs = NewButton(this, QRect(40, 395, 95, 25), 14108);
    btnBorrarVs = NewButton(this, QRect(140, 395, 100, 25), 14109);
    btnBorrarFases = NewButton(this, QRect(245, 395, 106, 25), 14110);
    btnAceptar = NewButton(this, QRect(372, 395, 70, 25), 14111);
    btnAceptar->setDefault(true);
    connect(btnBorrarJugadorVs, &QPushButton::clicked, this,
            &TfTablaRecords::btnBorrarJugadorVsClick);
    connect(btnBorrarVs, &QPushButton::clicked, this, &TfTablaRecords::btnBorrarVsClick);
    connect(btnBorrarFases, &QPushButton::clicked, this, &TfTablaRecords::btnBorrarFasesClick);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    setTabOrder(btnAceptar, btnBorrarVs);
    setTabOrder(btnBorrarVs, btnBorrarJugadorVs);
    setTabOrder(btnBorrarJugadorVs, btnBorrarFases);
}

void TfTablaRecords::retranslate() {
    TranslateForm(this);
    for (QLabel *label : std::as_const(autoSized))
        FitLabel(label);
}

void TfTablaRecords::MostrarRecords() {
    lblPuntosFases->setText(RecordTables::columnText(records.PuntosFases()));
    lblFasesFases->setText(RecordTables::columnText(records.FasesFases()));
    lblNombresFases->setText(RecordTables::columnText(records.NombresFases()));
    lblJugadasVs->setText(RecordTables::columnText(records.JugadasVs()));
    lblGanadasVs->setText(RecordTables::columnText(records.GanadasVs()));
    lblPuntosVs->setText(RecordTables::columnText(records.PuntosVs()));
    lblNombresVs->setText(RecordTables::columnText(records.NombresVs()));
}

void TfTablaRecords::NuevoRecordFases(qint32 Puntos, qint32 Fase, QString &Nombre, bool ask) {
    if (records.NuevoRecordFases(Puntos, Fase, Nombre, ask ? PedirRecord : nullptr) == 0)
        return;
    MostrarRecords();
    exec();
}

void TfTablaRecords::NuevoRecordVs(qint32 Puntos, bool Ganada, const QString &Nombre) {
    records.NuevoRecordVs(Puntos, Ganada, Nombre);
    MostrarRecords();
}

void TfTablaRecords::btnBorrarFasesClick() {
    if (MostrarMensaje(GetText(14001), QString(), true) != 1)
        return;
    records.clearStageScores();
    MostrarRecords();
}

void TfTablaRecords::btnBorrarVsClick() {
    if (MostrarMensaje(GetText(14002), QString(), true) != 1)
        return;
    records.clearVsScores();
    MostrarRecords();
}

void TfTablaRecords::btnBorrarJugadorVsClick() {
    bool ok = false;
    const QString typed = QInputDialog::getText(this, GetText(14003), GetText(14004),
                                                QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const std::optional<int> row = RecordTables::playerNumber(typed);
    if (!row) {
        QMessageBox::warning(this, GetText(1002), GetTextFmt(1010, {typed}));
        return;
    }
    records.deleteVsPlayer(*row);
    MostrarRecords();
}

void TfTablaRecords::showEvent(QShowEvent *event) {
    // A language chosen since the last showing shows now.
    retranslate();
    MostrarRecords();
    btnAceptar->setFocus();
    FixedDialog::showEvent(event);
}
