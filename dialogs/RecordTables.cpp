#include "dialogs/RecordTables.h"

#include "core/Texts.h"
#include "services/Cp1252.h"
#include "services/Language.h"

namespace {

QString placeholder() {
    return GetText(14000);
}

// An empty row keeps the placeholder of the language it was emptied in.
bool isPlaceholder(const QString &name) {
    return name == placeholder() || TextInEveryLanguage(14000).contains(name);
}

// The name as the table keeps it: single-byte text of at most 255 characters.
QString tableName(const QString &name) {
    return FromCp1252(ToCp1252(name).left(RecordNameLength));
}

} // namespace

RecordTables::RecordTables(QString Clave, UserStore store)
    : clave(std::move(Clave)), store(std::move(store)) {
    for (int i = 0; i < RecordRows; ++i) {
        emptyStageRow(i);
        emptyVsRow(i);
    }
    LeerRecords();
}

void RecordTables::emptyStageRow(int index) {
    puntosFases[index] = 0;
    fasesFases[index] = 0;
    nombresFases[index] = placeholder();
}

void RecordTables::emptyVsRow(int index) {
    puntosVs[index] = 0;
    jugadasVs[index] = 0;
    ganadasVs[index] = 0;
    nombresVs[index] = placeholder();
}

int RecordTables::NuevoRecordFases(qint32 Puntos, qint32 Fase, QString &Nombre,
                                   const PedirRecordFunction &PedirRecord) {
    int i = 0;
    while (i < RecordRows && puntosFases[i] >= Puntos)
        ++i;
    if (i == RecordRows)
        return 0;
    for (int j = RecordRows - 1; j > i; --j) {
        puntosFases[j] = puntosFases[j - 1];
        fasesFases[j] = fasesFases[j - 1];
        nombresFases[j] = nombresFases[j - 1];
    }
    puntosFases[i] = Puntos;
    fasesFases[i] = Fase;
    const QString entered = PedirRecord ? PedirRecord(Nombre, Puntos) : Nombre;
    nombresFases[i] = tableName(entered);
    if (nombresFases[i] != placeholder())
        Nombre = entered;
    GuardarRecords();
    return i + 1;
}

void RecordTables::NuevoRecordVs(qint32 Puntos, bool Ganada, const QString &Nombre) {
    int i = 0;
    while (i < RecordRows && !sameName(nombresVs[i], Nombre))
        ++i;
    if (i < RecordRows) {
        puntosVs[i] += Puntos;
        jugadasVs[i] += 1;
        if (Ganada)
            ganadasVs[i] += 1;
        while (i > 0 && (ganadasVs[i - 1] < ganadasVs[i] ||
                         (ganadasVs[i - 1] == ganadasVs[i] && puntosVs[i - 1] < puntosVs[i]))) {
            IntercambiarVs(i + 1, i);
            --i;
        }
        GuardarRecords();
        return;
    }
    // A new player goes above the first row it beats; a full table of better rows drops it.
    auto beats = [&](int j) {
        return Ganada ? ganadasVs[j] == 0 || (ganadasVs[j] == 1 && puntosVs[j] < Puntos)
                      : jugadasVs[j] == 0 || (ganadasVs[j] == 0 && puntosVs[j] < Puntos);
    };
    int j = 0;
    while (j < RecordRows && !beats(j))
        ++j;
    if (j == RecordRows)
        return;
    insertVs(j, Puntos, Ganada, Nombre);
    GuardarRecords();
}

void RecordTables::insertVs(int index, qint32 points, bool won, const QString &name) {
    for (int k = RecordRows - 1; k > index; --k)
        IntercambiarVs(k + 1, k);
    nombresVs[index] = tableName(name);
    puntosVs[index] = points;
    jugadasVs[index] = 1;
    ganadasVs[index] = won ? 1 : 0;
}

QString RecordTables::NombreVs(int i) const {
    if (i < 1 || i > RecordRows || isPlaceholder(nombresVs[i - 1]))
        return {};
    return nombresVs[i - 1];
}

void RecordTables::IntercambiarVs(int i, int j) {
    std::swap(puntosVs[i - 1], puntosVs[j - 1]);
    std::swap(jugadasVs[i - 1], jugadasVs[j - 1]);
    std::swap(ganadasVs[i - 1], ganadasVs[j - 1]);
    std::swap(nombresVs[i - 1], nombresVs[j - 1]);
}

void RecordTables::clearStageScores() {
    for (int i = 0; i < RecordRows; ++i)
        emptyStageRow(i);
    GuardarRecords();
}

void RecordTables::clearVsScores() {
    for (int i = 0; i < RecordRows; ++i)
        emptyVsRow(i);
    GuardarRecords();
}

bool RecordTables::deleteVsPlayer(int n) {
    if (n < 1 || n > RecordRows)
        return false;
    for (int k = n; k < RecordRows; ++k)
        IntercambiarVs(k, k + 1);
    emptyVsRow(RecordRows - 1);
    GuardarRecords();
    return true;
}

std::optional<int> RecordTables::playerNumber(const QString &typed) {
    bool ok = false;
    const int n = typed.toInt(&ok);
    if (!ok || n < 1 || n > RecordRows)
        return std::nullopt;
    return n;
}

QString RecordTables::columnText(const TRecordNumbers &column) {
    QString text;
    for (qint32 v : column)
        text += QString::number(v) + u'\n';
    return text;
}

QString RecordTables::columnText(const TRecordNames &column) {
    QString text;
    for (const QString &name : column)
        text += (isPlaceholder(name) ? placeholder() : name) + u'\n';
    return text;
}

bool RecordTables::sameName(const QString &a, const QString &b) {
    const QByteArray x = ToCp1252(a);
    const QByteArray y = ToCp1252(b);
    if (x.size() != y.size())
        return false;
    auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (fold(x[k]) != fold(y[k]))
            return false;
    }
    return true;
}
