#include "dialogs/RecordTables.h"

#include "services/Cp1252.h"
#include "services/ErrorReport.h"
#include "core/Texts.h"

#include <QtEndian>

namespace {

constexpr int SlotSize = RecordNameLength + 1;

// The seven stored values in the order they are read and written.
const char *const ValueNames[7] = {"Rounds - Points", "Rounds - Rounds", "Rounds - Names",
                                   "Vs - Points",     "Vs - Names",      "Vs - Played",
                                   "Vs - Won"};

QByteArray encodeNumbers(const TRecordNumbers &column) {
    QByteArray bytes(4 * RecordRows, '\0');
    for (int i = 0; i < RecordRows; ++i)
        qToLittleEndian<qint32>(column[i], bytes.data() + 4 * i);
    return bytes;
}

void decodeNumbers(const QByteArray &bytes, TRecordNumbers &column) {
    for (int i = 0; i < RecordRows; ++i)
        column[i] = qFromLittleEndian<qint32>(bytes.constData() + 4 * i);
}

// Each slot holds the length, the characters and zeros after them.
QByteArray encodeNames(const TRecordNames &column) {
    QByteArray bytes(SlotSize * RecordRows, '\0');
    for (int i = 0; i < RecordRows; ++i) {
        const QByteArray name = ToCp1252(column[i]).left(RecordNameLength);
        bytes[SlotSize * i] = char(name.size());
        bytes.replace(SlotSize * i + 1, name.size(), name);
    }
    return bytes;
}

void decodeNames(const QByteArray &bytes, TRecordNames &column) {
    for (int i = 0; i < RecordRows; ++i) {
        const int length = uchar(bytes[SlotSize * i]);
        column[i] = FromCp1252(bytes.mid(SlotSize * i + 1, length));
    }
}

// Reads the values of one table into its columns, stopping at the first that is
// missing, empty, mistyped or oversized. A shorter value overwrites only the start of
// its column; the rest stays as it was.
bool readTable(const StoreKey &key, std::initializer_list<int> values,
               std::array<QByteArray, 7> &columns) {
    for (int v : values) {
        const auto value = key.value(QString::fromLatin1(ValueNames[v]));
        if (!value)
            return false;
        if (value->type != StoreType::Binary || value->size() == 0 ||
            value->size() > columns[v].size()) {
            key.refuse();
            return false;
        }
        columns[v].replace(0, value->size(), value->binary);
    }
    return true;
}

} // namespace

std::array<QByteArray, 7> RecordTables::columnBytes() const {
    return {encodeNumbers(puntosFases), encodeNumbers(fasesFases), encodeNames(nombresFases),
            encodeNumbers(puntosVs),    encodeNames(nombresVs),    encodeNumbers(jugadasVs),
            encodeNumbers(ganadasVs)};
}

void RecordTables::takeColumns(const std::array<QByteArray, 7> &bytes) {
    decodeNumbers(bytes[0], puntosFases);
    decodeNumbers(bytes[1], fasesFases);
    decodeNames(bytes[2], nombresFases);
    decodeNumbers(bytes[3], puntosVs);
    decodeNames(bytes[4], nombresVs);
    decodeNumbers(bytes[5], jugadasVs);
    decodeNumbers(bytes[6], ganadasVs);
}

// The two tables are read independently: a flaw in one empties only that one.
bool RecordTables::LeerRecords() {
    std::array<QByteArray, 7> columns = columnBytes();
    const auto key = store.openKey(clave, false);
    const bool stages = key && readTable(*key, {0, 1, 2}, columns);
    const bool vs = key && readTable(*key, {3, 4, 5, 6}, columns);
    takeColumns(columns);
    for (int i = 0; i < RecordRows; ++i) {
        if (!stages)
            emptyStageRow(i);
        if (!vs)
            emptyVsRow(i);
    }
    return stages && vs;
}

bool RecordTables::GuardarRecords() {
    auto key = store.openKey(clave, true);
    if (!key) {
        ReportUnopenableStore(store);
        return false;
    }
    const std::array<QByteArray, 7> columns = columnBytes();
    StoreValues values;
    for (int v = 0; v < 7; ++v)
        values.insert(QString::fromLatin1(ValueNames[v]), StoreValue::ofBinary(columns[v]));
    if (!key->setValues(values)) {
        ReportError(GetText(1002), GetText(1004));
        return false;
    }
    return true;
}
