#include "dialogs/About.h"
#include "dialogs/Final.h"

#include "ModalDriver.h"
#include "core/Texts.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

// The logo glows up and down: 1, 2, 3, 4, 5, 4, 3, 2, 1, 2, ...
TEST(TfFinal, AnimationRunsUpAndDown) {
    TfFinal form;
    EXPECT_EQ(form.frame(), 0);
    std::vector<int> frames;
    for (int tick = 0; tick < 12; ++tick) {
        form.TimerTimer();
        frames.push_back(form.frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4}));
}

// The timer starts with the showing, every 175 ms, and the shown picture changes.
TEST(TfFinal, TimerStartsWhenShown) {
    TfFinal form;
    EXPECT_FALSE(form.Timer.isActive());
    EXPECT_EQ(form.Timer.interval(), 175);
    EXPECT_EQ(form.imgAni->pixmap().size(), QSize(300, 74));
    const QImage before = form.imgAni->pixmap().toImage();
    form.show();
    EXPECT_TRUE(form.Timer.isActive());
    form.TimerTimer();
    form.TimerTimer();
    EXPECT_NE(form.imgAni->pixmap().toImage(), before);
    EXPECT_EQ(form.windowTitle(), GetText(15100));
}

TEST(TfAbout, VersionAndNames) {
    TfAbout about;
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 1.1"));
    EXPECT_EQ(about.lblName->text(), QStringLiteral("Cobaltix"));
    EXPECT_EQ(about.windowTitle(), GetText(65000));
    EXPECT_FALSE(about.lblAuthor->text().contains(QLatin1Char('%')));
}

// The links go to the desktop as mailto: and web addresses.
TEST(TfAbout, LinksOpenTheirAddresses) {
    TfAbout about;
    std::vector<QUrl> opened;
    about.openUrl = [&](const QUrl &url) {
        opened.push_back(url);
        return true;
    };
    QTest::mouseClick(about.edEmail, Qt::LeftButton);
    QTest::keyClick(about.edWWW, Qt::Key_Space);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[0].path(), about.edEmail->text());
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("http"));
    EXPECT_EQ(opened[1].host(), about.edWWW->text());
}

// Without a program for the link, the error shows and the about box stays open.
TEST(TfAbout, FailedLinkIsReported) {
    TfAbout about;
    about.openUrl = [](const QUrl &) { return false; };
    about.show();
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalDriver driver({[&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    }});
    about.edWWWClick();
    EXPECT_EQ(caption, QStringLiteral("<Error>"));
    EXPECT_EQ(text, GetText(1009));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(about.isVisible());
}

// Return in a link box presses OK, the default button, instead of opening the link again
// (after a failed link, the error and the link used to alternate on every Return).
TEST(TfAbout, ReturnInALinkPressesOk) {
    TfAbout about;
    int opened = 0;
    about.openUrl = [&](const QUrl &) {
        ++opened;
        return false;
    };
    int result = -1;
    ModalDriver driver({[&](QWidget *w) {
        auto *box = qobject_cast<TfAbout *>(w);
        ASSERT_NE(box, nullptr);
        box->edWWW->setFocus();
        QTest::keyClick(box->edWWW, Qt::Key_Return);
    }});
    result = about.exec();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(about.btnAceptar->isDefault());
}
