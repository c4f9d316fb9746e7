#include "dialogs/TranslateForm.h"

#include "core/Texts.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

// The texts come from the current language's table; an empty id reads as "".
TEST(TranslateForm, TaggedComponentsTakeTheirTexts) {
    QWidget form;
    SetTag(&form, 11100);
    auto *label = new QLabel(QStringLiteral("design"), &form);
    SetTag(label, 11103);
    auto *button = new QPushButton(QStringLiteral("design"), &form);
    SetTag(button, 11109);
    auto *group = new QGroupBox(QStringLiteral("design"), &form);
    SetTag(group, 11101);
    auto *nested = new QLabel(QStringLiteral("design"), group);
    SetTag(nested, 11104);
    auto *edit = new QLineEdit(QStringLiteral("design"), &form);
    SetTag(edit, 12101);

    TranslateForm(&form);
    EXPECT_EQ(form.windowTitle(), GetText(11100));
    EXPECT_EQ(label->text(), GetText(11103));
    EXPECT_EQ(button->text(), GetText(11109));
    EXPECT_EQ(group->title(), GetText(11101));
    EXPECT_EQ(nested->text(), GetText(11104));
    EXPECT_EQ(edit->text(), GetText(12101));
    EXPECT_EQ(button->toolTip(), GetText(11109 + 400));
}

// A Tag of 10000 or less, or none, keeps the caption given when the control was made.
TEST(TranslateForm, SmallTagsAreLeftAlone) {
    QWidget form;
    form.setWindowTitle(QStringLiteral("keep"));
    SetTag(&form, 10000);
    auto *exact = new QLabel(QStringLiteral("keep 1"), &form);
    SetTag(exact, 10000);
    auto *none = new QLabel(QStringLiteral("keep 2"), &form);
    TranslateForm(&form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("keep"));
    EXPECT_EQ(exact->text(), QStringLiteral("keep 1"));
    EXPECT_EQ(none->text(), QStringLiteral("keep 2"));
    EXPECT_EQ(Tag(none), 0);
}

// Menus: a tagged pop-up translates its items, children first, but not its own title.
TEST(TranslateForm, MenusAndRadioGroups) {
    QWidget form;
    auto *popup = new QMenu(QStringLiteral("root"), &form);
    SetTag(popup, 65536);
    QAction *item = popup->addAction(QStringLiteral("design"));
    SetTag(item, 10100);
    QMenu *sub = popup->addMenu(QStringLiteral("design"));
    SetTag(sub, 10103);
    QAction *inner = sub->addAction(QStringLiteral("design"));
    SetTag(inner, 10015);
    QAction *untagged = popup->addAction(QStringLiteral("English"));

    auto *radios = new QGroupBox(&form);
    radios->setProperty("RadioGroup", true);
    SetTag(radios, 12100);
    auto *first = new QRadioButton(QStringLiteral("design"), radios);
    auto *second = new QRadioButton(QStringLiteral("design"), radios);
    auto *combo = new QComboBox(&form);
    combo->addItem(QStringLiteral("design"));
    SetTag(combo, 12003);

    TranslateForm(&form);
    EXPECT_EQ(popup->title(), QStringLiteral("root"));
    EXPECT_EQ(item->text(), GetText(10100));
    EXPECT_EQ(sub->title(), GetText(10103));
    EXPECT_EQ(inner->text(), GetText(10015));
    EXPECT_EQ(untagged->text(), QStringLiteral("English"));
    EXPECT_EQ(first->text(), GetText(12101));
    EXPECT_EQ(second->text(), GetText(12102));
    EXPECT_EQ(combo->count(), GetText(12003).isEmpty() ? 0 : 1);
}

TEST(TranslateForm, LineBreaksOfEveryKindBecomeNewlines) {
    EXPECT_EQ(NormalizeLineBreaks(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(NormalizeLineBreaks(QStringLiteral("\r\n\r\n")), QStringLiteral("\n\n"));
}

// A window's menu bar is translated through its items.
TEST(TranslateForm, MenuBarItems) {
    QWidget form;
    auto *bar = new QMenuBar(&form);
    SetTag(bar, 65536);
    QMenu *game = bar->addMenu(QStringLiteral("design"));
    SetTag(game->menuAction(), 10103);
    QAction *exit = game->addAction(QStringLiteral("design"));
    SetTag(exit, 10109);
    TranslateForm(&form);
    EXPECT_EQ(game->title(), QStringLiteral("&Game mode"));
    EXPECT_EQ(exit->text(), QStringLiteral("E&xit"));
}
