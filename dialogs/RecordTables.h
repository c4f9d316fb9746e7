#pragma once

#include "services/Settings.h"
#include "services/UserStore.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

constexpr int RecordRows = 10;
constexpr int RecordNameLength = 255;

using TRecordNumbers = std::array<qint32, RecordRows>;
using TRecordNames = std::array<QString, RecordRows>;

// Asks for the name of a new by-stages record, proposing one; gives back the name typed
// or the placeholder (text 14000) when the field was left empty.
using PedirRecordFunction = std::function<QString(const QString &proposed, qint32 points)>;

// The two high-score tables behind the high-score window: ten by-stages results and ten
// one-to-one players. Rows are counted from 1. Every change is stored at once.
class RecordTables {
public:
    // Empties both tables and loads them from the key Clave of store.
    explicit RecordTables(QString Clave = QString::fromLatin1(SettingsKeyPath),
                          UserStore store = UserStore());

    const TRecordNumbers &PuntosFases() const { return puntosFases; }
    const TRecordNumbers &FasesFases() const { return fasesFases; }
    const TRecordNames &NombresFases() const { return nombresFases; }
    const TRecordNumbers &PuntosVs() const { return puntosVs; }
    const TRecordNumbers &JugadasVs() const { return jugadasVs; }
    const TRecordNumbers &GanadasVs() const { return ganadasVs; }
    const TRecordNames &NombresVs() const { return nombresVs; }

    // Enters a by-stages result. When it makes the table, asks for the name and, unless
    // the placeholder came back, gives it to Nombre. Returns the row, or 0 if it did not
    // enter (nothing asked, nothing shown).
    int NuevoRecordFases(qint32 Puntos, qint32 Fase, QString &Nombre,
                         const PedirRecordFunction &PedirRecord);

    // Adds one player's one-to-one game to that player's row, or enters a new row.
    void NuevoRecordVs(qint32 Puntos, bool Ganada, const QString &Nombre);

    // The name of one-to-one row i, empty for an empty row (whatever language its
    // placeholder is in).
    QString NombreVs(int i) const;

    // Empties the by-stages table; the one-to-one table; one one-to-one row n (1..10),
    // the rows below moving up. Out-of-range n changes nothing and gives false.
    void clearStageScores();
    void clearVsScores();
    bool deleteVsPlayer(int n);

    // The player number typed in the "Delete player..." box, if it is one from 1 to 10.
    static std::optional<int> playerNumber(const QString &typed);

    // Loads both tables, each on its own: a missing, empty, mistyped or oversized value
    // empties the table it belongs to. False unless both were read.
    bool LeerRecords();

    // Stores both tables in one step. A failed write is reported (text 1004, caption
    // 1002), a store that cannot be opened once per run.
    bool GuardarRecords();

    void IntercambiarVs(int i, int j);

    // A column as the window shows it: each row's value followed by a line break; an
    // empty row's name in the current language.
    static QString columnText(const TRecordNumbers &column);
    static QString columnText(const TRecordNames &column);

    // Names match ignoring the case of the letters a to z only.
    static bool sameName(const QString &a, const QString &b);

private:
    void emptyStageRow(int index);
    void emptyVsRow(int index);
    void insertVs(int index, qint32 points, bool won, const QString &name);
    std::array<QByteArray, 7> columnBytes() const;
    void takeColumns(const std::array<QByteArray, 7> &bytes);

    QString clave;
    UserStore store;
    TRecordNumbers puntosFases{}, fasesFases{};
    TRecordNames nombresFases;
    TRecordNumbers puntosVs{}, jugadasVs{}, ganadasVs{};
    TRecordNames nombresVs;
};
