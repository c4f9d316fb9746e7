#include "shell/Dialogos.h"

#include "dialogs/About.h"
#include "dialogs/Final.h"
#include "dialogs/Mensajes.h"
#include "dialogs/Nombres.h"
#include "dialogs/RecordTables.h"
#include "dialogs/TablaRecords.h"
#include "dialogs/Teclas.h"
#include "dialogs/TranslateForm.h"
#include "services/Language.h"

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
class TRecordsWindow;
TRecordsWindow *theTables = nullptr;

// The high-score window, which keeps both tables and stores every change at once.
class TRecordsWindow : public TRecords {
public:
    TRecordsWindow() { theTables = this; }
    ~TRecordsWindow() override { theTables = nullptr; }
    void NuevoRecordFases(int points, int stage, QString &name) override {
        form.NuevoRecordFases(points, stage, name);
    }
    void NuevoRecordVs(int points, bool won, const QString &name) override {
        form.NuevoRecordVs(points, won, name);
    }
    QString NombreVs(int row) override { return form.NombreVs(row); }
    void Mostrar() override {
        form.MostrarRecords();
        form.exec();
    }
    QStringList knownPlayers() const {
        QStringList names;
        for (int row = 1; row <= RecordRows; ++row)
            if (const QString n = form.NombreVs(row); !n.isEmpty())
                names << n;
        return names;
    }

private:
    TfTablaRecords form;
};
} // namespace

void DlgPedirNombres(QString &name1, QString &name2) {
    PedirNombres(name1, name2, theTables ? theTables->knownPlayers() : QStringList());
}

std::unique_ptr<TRecords> CreateTablaRecords() {
    return std::make_unique<TRecordsWindow>();
}
