#include "shell/Dialogos.h"

#include "dialogs/Mensajes.h"
#include "dialogs/TranslateForm.h"

int DlgMensaje(const QString &text, const QString &caption, bool withCancel) {
    return MostrarMensaje(text, caption, withCancel);
}

QString DlgNormalize(const QString &text) {
    return NormalizeLineBreaks(text);
}

void DlgPedirNombres(QString &, QString &) {}

bool DlgTeclas(std::array<std::uint16_t, 10> &, const std::array<bool, 256> &) {
    return false;
}

void DlgFinal() {}

void DlgAcercaDe() {}

namespace {
class TRecordsNone : public TRecords {
public:
    void NuevoRecordFases(int, int, QString &) override {}
    void NuevoRecordVs(int, bool, const QString &) override {}
    QString NombreVs(int) override { return {}; }
    void Mostrar() override {}
};
} // namespace

std::unique_ptr<TRecords> CreateTablaRecords() {
    return std::make_unique<TRecordsNone>();
}
