#pragma once

#include "dialogs/DialogStyle.h"
#include "dialogs/RecordTables.h"

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;

// The one high-score object of the run: it keeps both tables and is the "High scores"
// window that shows them, with the deletions. Made once at start-up, shown many times.
class TfTablaRecords : public FixedDialog {
    Q_OBJECT
public:
    explicit TfTablaRecords(QString Clave = QString::fromLatin1(SettingsKeyPath),
                            UserStore store = UserStore(), QWidget *parent = nullptr);
    // The window over tables its caller keeps (and stores at the end), so the window can
    // be made when it is first needed.
    explicit TfTablaRecords(RecordTables &shared, QWidget *parent = nullptr);
    // Stores its own tables once more: a store that failed while the game ran may work
    // now.
    ~TfTablaRecords() override;

    // Enters a by-stages result; when it makes the table, asks its name (which may
    // replace Nombre) and shows this window.
    // ask false enters Nombre as it is (a CPU's result).
    void NuevoRecordFases(qint32 Puntos, qint32 Fase, QString &Nombre, bool ask = true);
    // Enters one player's one-to-one game; shows nothing.
    void NuevoRecordVs(qint32 Puntos, bool Ganada, const QString &Nombre);
    QString NombreVs(int i) const { return records.NombreVs(i); }

    const RecordTables &tables() const { return records; }

    // Fills the columns from the tables.
    void MostrarRecords();

    // Asks the name of a new record; tests replace it.
    PedirRecordFunction PedirRecord;

    QLabel *lblPuntosFases;
    QLabel *lblFasesFases;
    QLabel *lblNombresFases;
    QLabel *lblJugadasVs;
    QLabel *lblGanadasVs;
    QLabel *lblPuntosVs;
    QLabel *lblNombresVs;
    QPushButton *btnBorrarJugadorVs;
    QPushButton *btnBorrarVs;
    QPushButton *btnBorrarFases;
    QPushButton *btnAceptar;

public slots:
    void btnBorrarFasesClick();
    void btnBorrarVsClick();
    void btnBorrarJugadorVsClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildStageTable();
    void buildVsTable();
    void buildButtons();
    void retranslate();
    void build();

    std::unique_ptr<RecordTables> own;
    RecordTables &records;
    QList<QLabel *> autoSized;
};
