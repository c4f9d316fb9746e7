// Dialogs at the game's factor: places and fonts multiplied while shown and back at
// factor 1 when hidden, laid-out boxes grown by their fonts, pictures by whole pixels,
// and never larger than the screen.
#include "dialogs/DialogZoom.h"
#include "dialogs/Final.h"
#include "dialogs/Mensajes.h"
#include "dialogs/TablaRecords.h"
#include "dialogs/Teclas.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

struct Place {
    QRect geometry;
    int fontPixels;
    bool operator==(const Place &) const = default;
};

// Every part of a dialog with its rectangle and font, by the part.
std::map<const QWidget *, Place> places(const QWidget &dialog) {
    std::map<const QWidget *, Place> all;
    for (const QWidget *part : dialog.findChildren<QWidget *>())
        if (!part->isWindow() && part->parentWidget() &&
            (part->parentWidget() == &dialog || qobject_cast<QGroupBox *>(part->parentWidget())))
            all[part] = {part->geometry(), part->font().pixelSize()};
    return all;
}

// The dialog zoom of the program, at factor, for one test.
class DialogZoom : public ::testing::Test {
protected:
    void SetUp() override { SetDialogZoom(2); }
    void TearDown() override { SetDialogZoom(1); }
    TDialogZoom zoom;
};

} // namespace

TEST_F(DialogZoom, FixedPlacesAndFontsAreMultipliedWhileShown) {
    TfTeclas keys;
    const auto before = places(keys);
    const QSize size = keys.size();
    keys.show();
    EXPECT_EQ(DialogFactor(&keys), 2);
    EXPECT_EQ(keys.size(), size * 2);
    EXPECT_EQ(keys.minimumSize(), keys.maximumSize()) << "still of fixed size";
    for (const auto &[part, place] : places(keys)) {
        // Parts inside the group boxes too, and texts at twice the height, not stretched.
        EXPECT_EQ(place.geometry, QRect(before.at(part).geometry.topLeft() * 2,
                                        before.at(part).geometry.size() * 2))
            << part->metaObject()->className();
        EXPECT_EQ(place.fontPixels, before.at(part).fontPixels * 2);
    }
    keys.hide();
    EXPECT_EQ(DialogFactor(&keys), 1);
    EXPECT_EQ(places(keys), before);
    EXPECT_EQ(keys.size(), size);
}

TEST_F(DialogZoom, MessageLaidOutAgainAtFactorOneIsShownScaledAgain) {
    // A box used twice: its second text is laid out at factor 1 and shown at 2.
    TfMensaje box;
    box.Preparar(GetText(10000), QString(), true);
    box.show();
    box.hide();
    box.Preparar(GetText(10013), GetText(10014), false);
    const auto laidOut = places(box);
    const QSize size = box.size();
    box.show();
    EXPECT_EQ(box.size(), size * 2);
    for (const auto &[part, place] : places(box))
        EXPECT_EQ(place.geometry.topLeft(), laidOut.at(part).geometry.topLeft() * 2);
}

TEST_F(DialogZoom, MessageTextsFitTheirLabelsAtEveryFactor) {
    // The box lays its text out at factor 1; the larger font must not need more lines.
    const QString texts[] = {GetText(10013), GetTextFmt(10003, {12, 5}) + GetText(10005),
                             GetText(10000), GetText(13101)};
    for (int factor : {2, 3, 4}) {
        SetDialogZoom(factor);
        for (const QString &text : texts) {
            TfMensaje box;
            box.Preparar(text, QString(), true);
            box.show();
            const QRect needed = QFontMetrics(box.lblTexto->font())
                                     .boundingRect(QRect(0, 0, box.lblTexto->width(), 100000),
                                                   Qt::TextWordWrap, box.lblTexto->text());
            EXPECT_LE(needed.height(), box.lblTexto->height())
                << "factor " << DialogFactor(&box) << ": " << text.left(30).toStdString();
            EXPECT_LE(needed.width(), box.lblTexto->width());
        }
    }
}

TEST_F(DialogZoom, DialogIsDrawnOnlyAsLargeAsTheScreenHolds) {
    // 428 x 3 = 1284 rows do not fit the 1080 of the screen; 856 do.
    SetDialogZoom(3);
    QTemporaryDir dir;
    TfTablaRecords scores(QStringLiteral("Software\\Zoom"), UserStore(dir.filePath("s")));
    scores.show();
    EXPECT_EQ(DialogFactor(&scores), 2);
    EXPECT_EQ(scores.size(), QSize(452, 428) * 2);
    const QRect area = scores.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(scores.frameGeometry()));
    scores.hide();
    SetDialogZoom(4);
    TfMensaje box;
    box.Preparar(GetText(10000), QString(), true);
    EXPECT_EQ(ZoomDialog(&box, 4), 4) << "392 x 4 wide fits 1920";
    EXPECT_EQ(ZoomDialog(&box, 1), 1);
    EXPECT_EQ(box.width(), 392);
}

TEST_F(DialogZoom, StandardMessageBoxGrowsByItsFontAndIcon) {
    QMessageBox plain(QMessageBox::Warning, "Title", "Some text", QMessageBox::Ok);
    QMessageBox zoomed(QMessageBox::Warning, "Title", "Some text", QMessageBox::Ok);
    SetDialogZoom(1);
    plain.show();
    SetDialogZoom(2);
    zoomed.show();
    const auto *text = plain.findChild<QLabel *>("qt_msgbox_label");
    ASSERT_TRUE(text);
    ASSERT_EQ(DialogFactor(&zoomed), 2);
    const auto *zoomedText = zoomed.findChild<QLabel *>("qt_msgbox_label");
    EXPECT_DOUBLE_EQ(QFontInfo(zoomedText->font()).pixelSize(),
                     2.0 * QFontInfo(text->font()).pixelSize());
    EXPECT_EQ(zoomed.iconPixmap().size(), plain.iconPixmap().size() * 2);
    EXPECT_GT(zoomed.width(), plain.width() * 3 / 2);
    EXPECT_GT(zoomed.height(), plain.height() * 3 / 2);
}

TEST_F(DialogZoom, LogoIsDrawnByWholePixels) {
    TfFinal form;
    for (int i = 0; i < 3; ++i)
        form.TimerTimer();
    form.show();
    const QImage logo = form.imgAni->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(form.imgAni->size(), logo.size() * 2);
    const QImage shown = form.imgAni->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int different = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            different += shown.pixel(x, y) != logo.pixel(x / 2, y / 2);
    EXPECT_EQ(different, 0);
}
