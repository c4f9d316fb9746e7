#pragma once

#include "services/PadButtons.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

// The dialogs the main window opens, behind plain functions so the window's units
// need not see the dialogs' headers.

int DlgMensaje(const QString &text, const QString &caption, bool withCancel);
void DlgPedirNombres(QString &name1, QString &name2);
// The one person's name against a CPU named rival.
void DlgPedirNombre(int player, QString &name, const QString &rival);
// The pads change with the keys, when the dialog ends with OK.
bool DlgTeclas(std::array<std::uint16_t, 10> &keys, const std::array<bool, 256> &reserved,
               TPadSetup *pads = nullptr);
void DlgFinal();
void DlgAcercaDe();
QString DlgNormalize(const QString &text);

// The one high-score object, alive from start-up to the end of the program.
class TRecords {
public:
    virtual ~TRecords() = default;
    virtual void NuevoRecordFases(int points, int stage, QString &name) = 0;
    // The same without asking for a name (a CPU's result).
    virtual void NuevoRecordFasesCpu(int points, int stage, const QString &name) {
        QString unchanged = name;
        NuevoRecordFases(points, stage, unchanged);
    }
    virtual void NuevoRecordVs(int points, bool won, const QString &name) = 0;
    virtual QString NombreVs(int row) = 0;
    virtual void Mostrar() = 0;
};
std::unique_ptr<TRecords> CreateTablaRecords();
