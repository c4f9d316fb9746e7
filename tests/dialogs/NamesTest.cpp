#include "dialogs/Nombres.h"
#include "dialogs/Records.h"

#include "ModalDriver.h"
#include "core/Texts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TfNombres *names(QWidget *w) {
    auto *dialog = qobject_cast<TfNombres *>(w);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

ModalDriver::Step setNames(const QString &first, const QString &second) {
    return [first, second](QWidget *w) {
        names(w)->cbJugador1->setEditText(first);
        names(w)->cbJugador2->setEditText(second);
        names(w)->btnAceptar->click();
    };
}

} // namespace

TEST(PedirNombres, EmptyNamesBecomeTheDefaults) {
    QString one = QStringLiteral("Ana"), two = QStringLiteral("Luis");
    ModalDriver driver({setNames(QString(), QString())});
    PedirNombres(one, two, QStringList());
    EXPECT_EQ(one, GetText(12000));
    EXPECT_EQ(two, GetText(12001));
    EXPECT_EQ(one, QStringLiteral("Player 1"));
    EXPECT_EQ(driver.stepsLeft(), 0u);
}

// Identical names are refused with a warning and the dialog comes back as it was left.
TEST(PedirNombres, IdenticalNamesAskAgain) {
    QString one, two;
    QString seenAgain, warning;
    ModalDriver driver({
        setNames(QString(), QStringLiteral("pLAYER 1")),
        [&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            warning = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->windowTitle(), GetText(12003));
            box->accept();
        },
        [&](QWidget *w) {
            seenAgain = names(w)->cbJugador2->currentText();
            names(w)->cbJugador2->setEditText(QStringLiteral("Eva"));
            QTest::keyClick(names(w)->cbJugador2, Qt::Key_Return);
        },
    });
    PedirNombres(one, two, QStringList());
    EXPECT_EQ(warning, GetText(12002));
    EXPECT_EQ(seenAgain, QStringLiteral("pLAYER 1"));
    EXPECT_EQ(one, QStringLiteral("Player 1"));
    EXPECT_EQ(two, QStringLiteral("Eva"));
    EXPECT_EQ(driver.stepsLeft(), 0u);
}

TEST(PedirNombres, KnownPlayersAreOfferedInOrder) {
    QString one = QStringLiteral("Ana"), two = QStringLiteral("Bea");
    QStringList offered1, offered2;
    QString shown1;
    ModalDriver driver({[&](QWidget *w) {
        for (int i = 0; i < names(w)->cbJugador1->count(); ++i)
            offered1 << names(w)->cbJugador1->itemText(i);
        for (int i = 0; i < names(w)->cbJugador2->count(); ++i)
            offered2 << names(w)->cbJugador2->itemText(i);
        shown1 = names(w)->cbJugador1->currentText();
        names(w)->close();
    }});
    PedirNombres(one, two, {QStringLiteral("Zoe"), QString(), QStringLiteral("Al")});
    const QStringList expected = {QStringLiteral("Zoe"), QStringLiteral("Al")};
    EXPECT_EQ(offered1, expected);
    EXPECT_EQ(offered2, expected);
    EXPECT_EQ(shown1, QStringLiteral("Ana"));
    EXPECT_EQ(one, QStringLiteral("Ana"));
    EXPECT_EQ(two, QStringLiteral("Bea"));
}

TEST(PedirNombres, OnlyAsciiLettersIgnoreCase) {
    EXPECT_TRUE(MismoNombre(QStringLiteral("ana"), QStringLiteral("ANA")));
    EXPECT_FALSE(MismoNombre(QString::fromUtf8("\xc3\xa1na"), QString::fromUtf8("\xc3\x81na")));
    EXPECT_TRUE(MismoNombre(QString::fromUtf8("\xc3\xa1nA"), QString::fromUtf8("\xc3\xa1na")));
    EXPECT_FALSE(MismoNombre(QStringLiteral("ana "), QStringLiteral("ana")));
    EXPECT_FALSE(MismoNombre(QStringLiteral("["), QStringLiteral("{")));
    EXPECT_TRUE(MismoNombre(QString(), QString()));
}

// Whatever closes the record dialog, the field decides the name; empty means the
// placeholder, blanks are kept as typed.
TEST(PedirRecord, NameRules) {
    auto ask = [](const QString &proposed, ModalDriver::Step step) {
        TfRecords dialog;
        ModalDriver driver({std::move(step)});
        return dialog.PedirRecord(proposed, 1234);
    };
    EXPECT_EQ(ask(QStringLiteral("Ana"), [](QWidget *w) { w->close(); }), QStringLiteral("Ana"));
    EXPECT_EQ(ask(QStringLiteral("Ana"),
                  [](QWidget *w) {
                      auto *d = qobject_cast<TfRecords *>(w);
                      d->edNombre->clear();
                      QTest::keyClick(d->edNombre, Qt::Key_Return);
                  }),
              GetText(14000));
    EXPECT_EQ(ask(QString(),
                  [](QWidget *w) {
                      auto *d = qobject_cast<TfRecords *>(w);
                      QTest::keyClicks(d->edNombre, QStringLiteral("   "));
                      d->close();
                  }),
              QStringLiteral("   "));
    EXPECT_EQ(GetText(14000), QStringLiteral("(no name)"));
}

TEST(PedirRecord, ShowsThePoints) {
    TfRecords dialog;
    QString points;
    ModalDriver driver({[&](QWidget *w) {
        points = qobject_cast<TfRecords *>(w)->lblPuntos->text();
        EXPECT_EQ(w->focusWidget(), qobject_cast<TfRecords *>(w)->edNombre);
        w->close();
    }});
    dialog.PedirRecord(QStringLiteral("x"), 5120);
    EXPECT_EQ(points, QStringLiteral("5120 points"));
}

// Neither dialog has a Cancel button: Escape does nothing, whatever has the focus. In the
// names dialog it used to start the game with the names as they stood.
TEST(PedirNombres, EscapeDoesNothing) {
    QString one = QStringLiteral("Ana"), two = QStringLiteral("Bea");
    bool stillOpen = false;
    ModalDriver driver({[&](QWidget *w) {
        QTest::keyClick(names(w)->cbJugador1, Qt::Key_Escape);
        names(w)->btnAceptar->setFocus();
        QTest::keyClick(names(w)->btnAceptar, Qt::Key_Escape);
        QTest::keyClick(w, Qt::Key_Escape);
        stillOpen = w->isVisible();
        names(w)->cbJugador2->setEditText(QStringLiteral("Eva"));
        names(w)->btnAceptar->click();
    }});
    PedirNombres(one, two, QStringList());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(two, QStringLiteral("Eva"));
}

TEST(PedirRecord, EscapeDoesNothing) {
    TfRecords dialog;
    bool stillOpen = false;
    ModalDriver driver({[&](QWidget *w) {
        auto *d = qobject_cast<TfRecords *>(w);
        QTest::keyClick(d->edNombre, Qt::Key_Escape);
        d->btnAceptar->setFocus();
        QTest::keyClick(d->btnAceptar, Qt::Key_Escape);
        stillOpen = w->isVisible();
        d->btnAceptar->click();
    }});
    EXPECT_EQ(dialog.PedirRecord(QStringLiteral("Ana"), 10), QStringLiteral("Ana"));
    EXPECT_TRUE(stillOpen);
}

// A name longer than its box shows its start: the player knows whose name it is.
TEST(PedirNombres, LongNamesShowTheirStart) {
    const QString longName = QStringLiteral("Bartholomew the Magnificent of Upper Wellington");
    QString one = longName, two = longName + QStringLiteral(" II");
    int cursor1 = -1, cursor2 = -1;
    ModalDriver driver({[&](QWidget *w) {
        cursor1 = names(w)->cbJugador1->lineEdit()->cursorPosition();
        cursor2 = names(w)->cbJugador2->lineEdit()->cursorPosition();
        names(w)->btnAceptar->click();
    }});
    PedirNombres(one, two, QStringList());
    EXPECT_EQ(cursor1, 0);
    EXPECT_EQ(cursor2, 0);
    EXPECT_EQ(one, longName);
}

// In the record dialog the proposed name is all selected, so typing replaces it, and
// its start shows.
TEST(PedirRecord, LongNameShowsItsStartSelected) {
    TfRecords dialog;
    const QString longName = QStringLiteral("Bartholomew the Magnificent of Upper Wellington");
    int cursor = -1;
    QString selected;
    ModalDriver driver({[&](QWidget *w) {
        auto *d = qobject_cast<TfRecords *>(w);
        cursor = d->edNombre->cursorPosition();
        selected = d->edNombre->selectedText();
        QTest::keyClicks(d->edNombre, QStringLiteral("Zoe"));
        d->btnAceptar->click();
    }});
    EXPECT_EQ(dialog.PedirRecord(longName, 10), QStringLiteral("Zoe"));
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(selected, longName);
}
