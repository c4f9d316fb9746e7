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

QString shotsDir;

// Saves the dialog's picture and checks that it is a fixed-size window of the given
// client size in either language; a height of 0 checks only the width.
void save(QWidget &dialog, const QString &name, QSize client, int minHeight = 0) {
    dialog.show();
    QTest::qWait(50);
    const QImage shot = dialog.grab().toImage();
    ASSERT_TRUE(shot.save(QDir(shotsDir).filePath(name + QStringLiteral(".png"))));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << qPrintable(name);
    EXPECT_EQ(shot.size(), dialog.size()) << qPrintable(name);
    // Shown at the game's factor, the layout scales with it.
    const int factor = DialogZoom();
    EXPECT_EQ(dialog.width(), client.width() * factor) << qPrintable(name);
    if (client.height() > 0)
        EXPECT_EQ(dialog.height(), client.height() * factor) << qPrintable(name);
    EXPECT_GE(dialog.height(), minHeight * factor) << qPrintable(name);
    dialog.hide();
}

// A message box is 392 wide and at least 100 high: buttons at 70 or lower, 30 below.
void saveMessage(TfMensaje &box, const QString &name) {
    save(box, name, {392, 0}, 100);
}

} // namespace

void shootEveryDialog(const QString &prefix) {
    {
        TfMensaje box;
        box.Preparar(GetTextFmt(10002, {7}), QString(), false);
        saveMessage(box, prefix + QStringLiteral("mensaje-1"));
        box.Preparar(GetTextFmt(10003, {3, 5}) + GetText(10004), QString(), true);
        saveMessage(box, prefix + QStringLiteral("mensaje-2"));
        box.Preparar(GetText(10013), GetText(10014), false);
        saveMessage(box, prefix + QStringLiteral("mensaje-help"));
        box.Preparar(GetText(10000), QString(), true);
        saveMessage(box, prefix + QStringLiteral("mensaje-question"));
    }
    {
        TfTeclas keys;
        keys.setTeclas({37, 39, 38, 40, 13, 20, 108, 191, 16, 222});
        save(keys, prefix + QStringLiteral("teclas"), {442, 404});
    }
    {
        TfRecords record;
        record.edNombre->setText(QStringLiteral("Player 1"));
        record.lblPuntos->setText(GetTextFmt(13000, {1234567}));
        save(record, prefix + QStringLiteral("records"), {342, 143});
    }
    {
        TfNombres names;
        names.cbJugador1->addItems({QStringLiteral("Ana"), QStringLiteral("Luis")});
        names.cbJugador1->setEditText(QStringLiteral("Ana"));
        names.cbJugador2->setEditText(QStringLiteral("Player 2"));
        save(names, prefix + QStringLiteral("nombres"), {292, 123});
    }
    {
        TfFinal final;
        for (int i = 0; i < 5; ++i)
            final.TimerTimer();
        save(final, prefix + QStringLiteral("final"), {392, 273});
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
        save(scores, prefix + QStringLiteral("tablarecords"), {452, 428});
    }
    {
        TfAbout about;
        save(about, prefix + QStringLiteral("about"), {392, 308});
    }
}

// Pictures of every dialog in both languages, each checked for its fixed size. With
// COBALTIX_SCREENSHOTS set to a folder the pictures stay there for a person to look at
// (run under Xvfb for the real window system); otherwise they go to a scratch folder.
TEST(Screenshots, EveryDialog) {
    QTemporaryDir scratch;
    shotsDir = qEnvironmentVariable("COBALTIX_SCREENSHOTS", scratch.path());
    shootEveryDialog(QStringLiteral("en-"));
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(GetLanguage(), LanguageSpanish) << "the Spanish module is built beside the tests";
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
