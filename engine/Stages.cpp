#include "engine/Stages.h"

#include <QtEndian>

namespace {

constexpr int Columns = 9;
constexpr int Rows = 18;
constexpr int CellsSize = Columns * Rows * 4;

std::int32_t cell(const TFase &f, int c, int r) {
    return f.Tablero[Rows * (c + 1) + (r + 1)];
}

bool isWall(int c, int r) {
    return c == -1 || c == 7 || r == -1 || r == 16;
}

TFase decodeRecord(const uchar *p) {
    TFase f;
    for (int i = 0; i < Columns * Rows; ++i)
        f.Tablero[i] = qFromLittleEndian<qint32>(p + 4 * i);
    f.Objetivo = qFromLittleEndian<qint32>(p + CellsSize);
    f.Limite = qFromLittleEndian<qint32>(p + CellsSize + 4);
    f.RocasAzar = p[CellsSize + 8] != 0;
    f.LineasRocas = p[CellsSize + 9] != 0;
    return f;
}

// A column's cells must form one unbroken run resting on the bottom row.
bool isPacked(const TFase &f, int c) {
    bool seenFilled = false;
    for (int r = 0; r < 16; ++r) {
        const bool filled = cell(f, c, r) != 0;
        if (seenFilled && !filled)
            return false;
        seenFilled = seenFilled || filled;
    }
    return true;
}

// The engine relies on the wall ring and packed columns from the first move on.
bool checkBoard(const TFase &f, QString &why) {
    for (int c = -1; c <= 7; ++c) {
        for (int r = -1; r <= 16; ++r) {
            const std::int32_t v = cell(f, c, r);
            if (isWall(c, r) && v != -1) {
                why = QStringLiteral("wall cell (%1, %2) is not -1").arg(c).arg(r);
                return false;
            }
            if (!isWall(c, r) && (v < 0 || v > 7)) {
                why = QStringLiteral("cell (%1, %2) holds code %3").arg(c).arg(r).arg(v);
                return false;
            }
        }
    }
    for (int c = 0; c < 7; ++c) {
        if (!isPacked(f, c)) {
            why = QStringLiteral("column %1 is not packed").arg(c);
            return false;
        }
    }
    return true;
}

// A limit of 0 would make every gem vanish, and beyond 0..99,999 the counts of points
// and gems remaining leave signed 32-bit range.
bool checkCounts(const TFase &f, QString &why) {
    if (f.Limite < MinStageLimit || f.Limite > MaxStageLimit) {
        why = QStringLiteral("limit %1 is outside %2..%3")
                  .arg(f.Limite)
                  .arg(MinStageLimit)
                  .arg(MaxStageLimit);
        return false;
    }
    if (f.Objetivo < 0 || f.Objetivo > MaxStageTarget) {
        why = QStringLiteral("target %1 is outside 0..%2").arg(f.Objetivo).arg(MaxStageTarget);
        return false;
    }
    return true;
}

} // namespace

bool CheckStageBoard(const TFase &stage, QString *why) {
    QString reason;
    const bool ok = checkBoard(stage, reason);
    if (why)
        *why = reason;
    return ok;
}

bool ParseStages(const QByteArray &bytes, TFaseTable &table, QString *why) {
    QString reason;
    if (bytes.size() < StageCount * StageRecordSize) {
        reason = QStringLiteral("%1 bytes, %2 needed")
                     .arg(bytes.size())
                     .arg(StageCount * StageRecordSize);
    }
    TFaseTable result;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    for (int n = 0; reason.isEmpty() && n < StageCount; ++n) {
        result[n] = decodeRecord(data + n * StageRecordSize);
        if (!checkBoard(result[n], reason) || !checkCounts(result[n], reason))
            reason = QStringLiteral("stage %1: %2").arg(n + 1).arg(reason);
    }
    if (!reason.isEmpty()) {
        if (why)
            *why = reason;
        return false;
    }
    table = result;
    return true;
}

QByteArray SerializeStages(const TFaseTable &table) {
    QByteArray bytes(StageCount * StageRecordSize, '\0');
    auto *data = reinterpret_cast<uchar *>(bytes.data());
    for (int n = 0; n < StageCount; ++n) {
        uchar *p = data + n * StageRecordSize;
        const TFase &f = table[n];
        for (int i = 0; i < Columns * Rows; ++i)
            qToLittleEndian<qint32>(f.Tablero[i], p + 4 * i);
        qToLittleEndian<qint32>(f.Objetivo, p + CellsSize);
        qToLittleEndian<qint32>(f.Limite, p + CellsSize + 4);
        p[CellsSize + 8] = f.RocasAzar ? 1 : 0;
        p[CellsSize + 9] = f.LineasRocas ? 1 : 0;
    }
    return bytes;
}
