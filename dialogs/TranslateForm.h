#pragma once

class QAction;
class QMenu;
class QObject;
class QString;
class QWidget;

// Windows, controls and menu items carry the id of their text in an int property "Tag".
// A Tag above 10000 takes the caption from text Tag and the hint from text Tag + 400;
// 10000 or less means the caption is left alone.
inline constexpr int TagThreshold = 10000;
inline constexpr int HintOffset = 400;

int Tag(const QObject *object);
void SetTag(QObject *object, int tag);

// Line breaks of any kind (CR LF, CR, LF) as Qt draws them.
QString NormalizeLineBreaks(const QString &text);

// Puts the current language's texts into a window and every tagged component below it:
// labels, buttons, group boxes, radio groups (a group box with the property
// "RadioGroup" set, whose radio buttons take texts Tag + 1, Tag + 2, ...), line edits,
// text edits, list and combo boxes (one item per line), and menus and actions.
void TranslateForm(QWidget *form);

// A menu item tree: the children first, in order, then the item itself.
void TranslateMenu(QAction *item);
void TranslateMenu(QMenu *menu);
