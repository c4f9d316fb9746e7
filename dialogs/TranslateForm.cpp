#include "dialogs/TranslateForm.h"

#include "core/Texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

const char *const TagProperty = "Tag";

bool isTranslated(const QObject *object) {
    return Tag(object) > TagThreshold;
}

QString text(int id) {
    return NormalizeLineBreaks(GetText(id));
}

QStringList textLines(int id) {
    QStringList lines = text(id).split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines.front().isEmpty())
        lines.clear();
    return lines;
}

void translateItem(QAction *item, int tag) {
    item->setText(text(tag));
    item->setToolTip(text(tag + HintOffset));
    item->setStatusTip(text(tag + HintOffset));
}

// The actions of a menu; the menu's own item is the caller's business.
void translateMenuItems(QMenu *menu) {
    const auto actions = menu->actions();
    for (QAction *action : actions)
        TranslateMenu(action);
}

void translateRadioGroup(QGroupBox *group, int tag) {
    int item = 1;
    const auto buttons = group->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
    for (QRadioButton *button : buttons)
        button->setText(text(tag + item++));
}

void translateCaption(QWidget *widget, int tag) {
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(text(tag));
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        button->setText(text(tag));
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        group->setTitle(text(tag));
        if (group->property("RadioGroup").toBool())
            translateRadioGroup(group, tag);
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->setText(text(tag));
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
        plain->clear();
        plain->appendPlainText(text(tag));
    } else if (auto *rich = qobject_cast<QTextEdit *>(widget)) {
        rich->clear();
        rich->append(text(tag));
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        combo->clear();
        combo->addItems(textLines(tag));
    } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
        list->clear();
        list->addItems(textLines(tag));
    }
}

void translateComponent(QObject *component) {
    const int tag = Tag(component);
    if (auto *menu = qobject_cast<QMenu *>(component)) {
        translateMenuItems(menu);
    } else if (auto *bar = qobject_cast<QMenuBar *>(component)) {
        const auto actions = bar->actions();
        for (QAction *action : actions)
            TranslateMenu(action);
    } else if (auto *widget = qobject_cast<QWidget *>(component)) {
        translateCaption(widget, tag);
        widget->setToolTip(text(tag + HintOffset));
    } else if (auto *action = qobject_cast<QAction *>(component)) {
        TranslateMenu(action);
    }
}

} // namespace

int Tag(const QObject *object) {
    return object ? object->property(TagProperty).toInt() : 0;
}

void SetTag(QObject *object, int tag) {
    object->setProperty(TagProperty, tag);
}

QString NormalizeLineBreaks(const QString &text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r"));
    QString result = text;
    if (result.contains(QLatin1Char('\r')))
        result.replace(breaks, QStringLiteral("\n"));
    return result;
}

void TranslateMenu(QAction *item) {
    if (!item)
        return;
    if (QMenu *submenu = item->menu()) {
        translateMenuItems(submenu);
        // A submenu may carry its Tag on the menu rather than on its item.
        if (!isTranslated(item) && isTranslated(submenu)) {
            translateItem(item, Tag(submenu));
            return;
        }
    }
    if (isTranslated(item))
        translateItem(item, Tag(item));
}

void TranslateMenu(QMenu *menu) {
    if (menu)
        TranslateMenu(menu->menuAction());
}

void TranslateForm(QWidget *form) {
    if (!form)
        return;
    if (isTranslated(form))
        form->setWindowTitle(text(Tag(form)));
    const auto components = form->findChildren<QObject *>();
    for (QObject *component : components) {
        if (isTranslated(component))
            translateComponent(component);
    }
}
