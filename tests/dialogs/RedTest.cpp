#include "dialogs/Red.h"

#include "core/Texts.h"
#include "services/Language.h"

#include <QAbstractButton>
#include <QLabel>

#include <gtest/gtest.h>

// Every caption of the network dialog is shown whole, inside the dialog, in both
// languages: labels made one pixel wide and texts running off the edge were seen.
TEST(NetworkDialog, EveryCaptionIsShownWholeInBothLanguages) {
    for (int language : {LanguageEnglish, LanguageSpanish}) {
        SetLanguage(language);
        TfRed dialog(NetChoice{}, {});
        for (const QLabel *label : dialog.findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
            EXPECT_LE(label->geometry().right(), dialog.width()) << label->text().toStdString();
        }
        for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
            EXPECT_GE(button->width(), button->sizeHint().width() - 4)
                << button->text().toStdString();
            EXPECT_LE(button->geometry().right(), dialog.width()) << button->text().toStdString();
        }
    }
    SetLanguage(LanguageEnglish);
}
