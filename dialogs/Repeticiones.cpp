#include "dialogs/Repeticiones.h"

#include "core/Texts.h"
#include "dialogs/DialogStyle.h"
#include "dialogs/Mensajes.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { Date, Mode, Players, Result, Points, Length, Kept, ColumnCount };
// The filter's items after "All modes", in the order of GameMode.
constexpr GameMode FilterModes[] = {GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::OneToOne};
} // namespace

TfRepeticiones::TfRepeticiones(ReplayLibrary &lib, QWidget *parent)
    : QDialog(parent), library(lib) {
    setObjectName(QStringLiteral("fRepeticiones"));
    setWindowTitle(GetText(16200));
    setFont(DialogFont());
    cbModo = new QComboBox(this);
    cbModo->addItem(GetText(16207));
    for (GameMode mode : FilterModes)
        cbModo->addItem(ModeName(mode));
    lvLista = new QTreeWidget(this);
    lvLista->setColumnCount(ColumnCount);
    lvLista->setHeaderLabels({GetText(16201), GetText(16202), GetText(16203), GetText(16204),
                              GetText(16205), GetText(16206), GetText(16212)});
    lvLista->setRootIsDecorated(false);
    lvLista->setUniformRowHeights(true);
    lvLista->setSelectionMode(QAbstractItemView::SingleSelection);
    lvLista->setMinimumSize(600, 260);
    lblProblemas = new QLabel(this);
    lblProblemas->setWordWrap(true);
    btnVer = new QPushButton(GetText(16208), this);
    btnGuardar = new QPushButton(GetText(16209), this);
    btnGuardar->setCheckable(true);
    btnBorrar = new QPushButton(GetText(16210), this);
    btnCerrar = new QPushButton(GetText(16211), this);
    btnVer->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cbModo);
    buttons->addStretch();
    for (QPushButton *b : {btnVer, btnGuardar, btnBorrar, btnCerrar})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvLista);
    layout->addWidget(lblProblemas);
    layout->addLayout(buttons);

    connect(cbModo, &QComboBox::currentIndexChanged, this, [this] { showEntries(); });
    connect(lvLista, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(lvLista, &QTreeWidget::itemDoubleClicked, this, [this] { btnVerClick(); });
    connect(btnVer, &QPushButton::clicked, this, [this] { btnVerClick(); });
    connect(btnGuardar, &QPushButton::clicked, this, [this] { btnGuardarClick(); });
    connect(btnBorrar, &QPushButton::clicked, this, [this] { btnBorrarClick(); });
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    Refrescar();
}

void TfRepeticiones::Refrescar() {
    QStringList problems;
    entries = library.list(&problems);
    lblProblemas->setText(problems.isEmpty() ? QString()
                                             : GetText(16219) + QLatin1Char('\n') +
                                                   problems.join(QLatin1Char('\n')));
    lblProblemas->setVisible(!problems.isEmpty());
    showEntries();
}

void TfRepeticiones::showEntries() {
    lvLista->clear();
    const int filter = cbModo->currentIndex();
    for (size_t i = 0; i < entries.size(); ++i) {
        const Replay &r = entries[i].replay;
        if (filter > 0 && r.setup.mode != FilterModes[filter - 1])
            continue;
        const ReplayColumns c = DescribeReplay(r);
        auto *item =
            new QTreeWidgetItem(lvLista, {c.date, c.mode, c.players, c.result, c.points, c.length,
                                          entries[i].kept ? QStringLiteral("\u2713") : QString()});
        item->setData(0, Qt::UserRole, int(i));
        for (int column : {Points, Length})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < ColumnCount; ++column)
        lvLista->resizeColumnToContents(column);
    if (lvLista->topLevelItemCount() > 0)
        lvLista->setCurrentItem(lvLista->topLevelItem(0));
    selectionChanged();
}

int TfRepeticiones::current() const {
    const QTreeWidgetItem *item = lvLista->currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TfRepeticiones::selectionChanged() {
    const int i = current();
    for (QPushButton *b : {btnVer, btnGuardar, btnBorrar})
        b->setEnabled(i >= 0);
    btnGuardar->setChecked(i >= 0 && entries[size_t(i)].kept);
}

void TfRepeticiones::btnVerClick() {
    const int i = current();
    if (i < 0)
        return;
    chosenPath = entries[size_t(i)].path;
    accept();
}

void TfRepeticiones::btnGuardarClick() {
    const int i = current();
    if (i < 0)
        return;
    ReplayEntry &e = entries[size_t(i)];
    const QString moved = library.setKept(e.path, !e.kept);
    if (!moved.isEmpty()) {
        e.path = moved;
        e.kept = !e.kept;
    }
    btnGuardar->setChecked(e.kept);
    if (QTreeWidgetItem *item = lvLista->currentItem())
        item->setText(Kept, e.kept ? QStringLiteral("\u2713") : QString());
}

void TfRepeticiones::btnBorrarClick() {
    const int i = current();
    if (i < 0 || MostrarMensaje(GetText(16213), QString(), true) != 1)
        return;
    library.remove(entries[size_t(i)].path);
    Refrescar();
}
