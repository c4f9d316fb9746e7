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

bool DlgTeclas(std::array<std::uint16_t, 10> &keys, const std::array<bool, 256> &reserved,
               TPadSetup *pads) {
    return DefinirTeclas(keys, reserved, GetLanguage(), nullptr, pads);
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

// Both high-score tables, loaded at start-up and stored at every change and at the end,
// and the high-score window over them, made when it is first shown: the menu has no use
// for its widgets.
class TRecordsWindow : public TRecords {
public:
    TRecordsWindow() { theTables = this; }
    ~TRecordsWindow() override {
        theTables = nullptr;
        form.reset();
        // A store that failed while the game ran may work now.
        tables.GuardarRecords();
    }
    void NuevoRecordFases(int points, int stage, QString &name) override {
        window().NuevoRecordFases(points, stage, name);
    }
    void NuevoRecordFasesCpu(int points, int stage, const QString &name) override {
        QString unchanged = name;
        window().NuevoRecordFases(points, stage, unchanged, false);
    }
    void NuevoRecordVs(int points, bool won, const QString &name) override {
        tables.NuevoRecordVs(points, won, name);
    }
    QString NombreVs(int row) override { return tables.NombreVs(row); }
    void Mostrar() override {
        window().MostrarRecords();
        window().exec();
    }
    QStringList knownPlayers() const {
        QStringList names;
        for (int row = 1; row <= RecordRows; ++row)
            if (const QString n = tables.NombreVs(row); !n.isEmpty())
                names << n;
        return names;
    }

private:
    TfTablaRecords &window() {
        if (!form)
            form = std::make_unique<TfTablaRecords>(tables);
        return *form;
    }

    RecordTables tables;
    std::unique_ptr<TfTablaRecords> form;
};
} // namespace

void DlgPedirNombres(QString &name1, QString &name2) {
    PedirNombres(name1, name2, theTables ? theTables->knownPlayers() : QStringList());
}

void DlgPedirNombre(int player, QString &name, const QString &rival) {
    PedirNombre(player, name, rival, theTables ? theTables->knownPlayers() : QStringList());
}

std::unique_ptr<TRecords> CreateTablaRecords() {
    return std::make_unique<TRecordsWindow>();
}
