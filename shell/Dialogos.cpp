#include "shell/Dialogos.h"

#include "dialogs/About.h"
#include "dialogs/Final.h"
#include "dialogs/Mensajes.h"
#include "dialogs/Nombres.h"
#include "dialogs/RecordTables.h"
#include "dialogs/Records.h"
#include "dialogs/Teclas.h"
#include "dialogs/TranslateForm.h"
#include "shell/services/Language.h"

#include <QStringList>

int DlgMensaje(const QString &text, const QString &caption, bool withCancel) {
    return MostrarMensaje(text, caption, withCancel);
}

QString DlgNormalize(const QString &text) {
    return NormalizeLineBreaks(text);
}

bool DlgTeclas(std::array<std::uint16_t, 10> &keys, const std::array<bool, 256> &reserved) {
    return DefinirTeclas(keys, reserved, GetLanguage());
}

void DlgFinal() {
    TfFinal form;
    form.exec();
}

void DlgAcercaDe() {
    TfAbout form;
    form.exec();
}

namespace {
// The high-score tables with the dialogs that feed them.
class TRecordsTables;
TRecordsTables *theTables = nullptr;

class TRecordsTables : public TRecords {
public:
    TRecordsTables() { theTables = this; }
    // Every change is stored at once; the last store at the end repeats one that failed.
    ~TRecordsTables() override {
        theTables = nullptr;
        tables.GuardarRecords();
    }
    void NuevoRecordFases(int points, int stage, QString &name) override {
        tables.NuevoRecordFases(points, stage, name, [](const QString &proposed, qint32 p) {
            TfRecords form;
            return form.PedirRecord(proposed, p);
        });
    }
    void NuevoRecordVs(int points, bool won, const QString &name) override {
        tables.NuevoRecordVs(points, won, name);
    }
    QString NombreVs(int row) override { return tables.NombreVs(row); }
    void Mostrar() override {}
    QStringList knownPlayers() const {
        QStringList names;
        for (int row = 1; row <= RecordRows; ++row)
            if (const QString n = tables.NombreVs(row); !n.isEmpty())
                names << n;
        return names;
    }

private:
    RecordTables tables;
};
} // namespace

void DlgPedirNombres(QString &name1, QString &name2) {
    PedirNombres(name1, name2, theTables ? theTables->knownPlayers() : QStringList());
}

std::unique_ptr<TRecords> CreateTablaRecords() {
    return std::make_unique<TRecordsTables>();
}
