#include "dialogs/About.h"
#include "dialogs/DialogZoom.h"
#include "dialogs/Final.h"
#include "dialogs/Mensajes.h"
#include "dialogs/Nombres.h"
#include "dialogs/Records.h"
#include "dialogs/TablaRecords.h"
#include "dialogs/Teclas.h"

#include "services/Language.h"
#include "core/Texts.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void save(QWidget &dialog, const QString &name) {
    dialog.show();
    QTest::qWait(50);
    const QString dir = qEnvironmentVariable("COBALTIX_SCREENSHOTS");
    ASSERT_TRUE(dialog.grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))));
    dialog.hide();
}

} // namespace

void shootEveryDialog(const QString &prefix) {
    {
        TfMensaje box;
        box.Preparar(GetTextFmt(10002, {7}), QString(), false);
        save(box, prefix + QStringLiteral("mensaje-1"));
        box.Preparar(GetTextFmt(10003, {3, 5}) + GetText(10004), QString(), true);
        save(box, prefix + QStringLiteral("mensaje-2"));
        box.Preparar(GetText(10013), GetText(10014), false);
        save(box, prefix + QStringLiteral("mensaje-help"));
        box.Preparar(GetText(10000), QString(), true);
        save(box, prefix + QStringLiteral("mensaje-question"));
    }
    {
        TfTeclas keys;
        keys.setTeclas({37, 39, 38, 40, 13, 20, 108, 191, 16, 222});
        save(keys, prefix + QStringLiteral("teclas"));
    }
    {
        TfRecords record;
        record.edNombre->setText(QStringLiteral("Player 1"));
        record.lblPuntos->setText(GetTextFmt(13000, {1234567}));
        save(record, prefix + QStringLiteral("records"));
    }
    {
        TfNombres names;
        names.cbJugador1->addItems({QStringLiteral("Ana"), QStringLiteral("Luis")});
        names.cbJugador1->setEditText(QStringLiteral("Ana"));
        names.cbJugador2->setEditText(QStringLiteral("Player 2"));
        save(names, prefix + QStringLiteral("nombres"));
    }
    {
        TfFinal final;
        for (int i = 0; i < 5; ++i)
            final.TimerTimer();
        save(final, prefix + QStringLiteral("final"));
    }
    {
        QTemporaryDir dir;
        TfTablaRecords scores(QStringLiteral("Software\\Shots"),
                              UserStore(dir.filePath(QStringLiteral("s"))));
        scores.PedirRecord = [](const QString &name, qint32) { return name; };
        const char *names[] = {"Ana", "Bernardo de la Fuente y Montes de Oca", "Eva", "Leo"};
        for (int i = 0; i < 4; ++i) {
            scores.NuevoRecordVs(1000 * (i + 1), i % 2 == 0, QString::fromLatin1(names[i]));
            QString name = QString::fromLatin1(names[i]);
            if (i == 0)
                scores.NuevoRecordVs(99999, true, name);
        }
        save(scores, prefix + QStringLiteral("tablarecords"));
    }
    {
        TfAbout about;
        save(about, prefix + QStringLiteral("about"));
    }
}

// Pictures of every dialog in both languages for a person to look at; run with
// COBALTIX_SCREENSHOTS set to a folder, under Xvfb for the real window system.
TEST(Screenshots, EveryDialog) {
    if (qEnvironmentVariableIsEmpty("COBALTIX_SCREENSHOTS"))
        GTEST_SKIP() << "COBALTIX_SCREENSHOTS not set";
    shootEveryDialog(QStringLiteral("en-"));
    SetLanguage(LanguageSpanish);
    if (GetLanguage() == LanguageSpanish)
        shootEveryDialog(QStringLiteral("es-"));
    SetLanguage(LanguageEnglish);
    // And at the window's factor 2, as the game shows them then.
    TDialogZoom zoom;
    SetDialogZoom(2);
    shootEveryDialog(QStringLiteral("x2-en-"));
    SetLanguage(LanguageSpanish);
    if (GetLanguage() == LanguageSpanish)
        shootEveryDialog(QStringLiteral("x2-es-"));
    SetLanguage(LanguageEnglish);
    SetDialogZoom(1);
}
