#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// One stage record of the stage file, 660 bytes on disk, little-endian.
struct TFase {
    // Board of 9 columns (-1..7) by 18 rows (-1..16), column by column, wall ring
    // included; the cell (c, r) is Tablero[18 * (c + 1) + (r + 1)].
    std::array<std::int32_t, 162> Tablero{};
    std::int32_t Objetivo = 0;
    std::int32_t Limite = 4;
    bool RocasAzar = false;
    bool LineasRocas = false;
    bool operator==(const TFase &) const = default;
};

constexpr int StageCount = 25;
constexpr int StageRecordSize = 660;
constexpr const char *StageFileName = "Fases.dat";

// What a stage may ask: a group limit up to the 112 cells of a well, a gem target of
// at most 99,999.
constexpr int MinStageLimit = 1;
constexpr int MaxStageLimit = 112;
constexpr int MaxStageTarget = 99999;

// Stage n (1..25) is at index n - 1.
using TFaseTable = std::array<TFase, StageCount>;

// Decodes and checks 25 records (wall ring, cell codes, packed columns, limit and
// target); bytes after the last record are ignored. On failure returns false with the
// reason (the stage and the cell or field) in why and leaves table untouched.
bool ParseStages(const QByteArray &bytes, TFaseTable &table, QString *why = nullptr);

// The board checks of ParseStages alone: wall ring, cell codes, packed columns.
bool CheckStageBoard(const TFase &stage, QString *why = nullptr);

// The exact on-disk form of the table (16,500 bytes).
QByteArray SerializeStages(const TFaseTable &table);
