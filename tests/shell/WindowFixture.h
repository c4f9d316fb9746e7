#pragma once

#include "services/ErrorReport.h"
#include "shell/Principal.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The main window with its dialogs answered by the test: questions get `answer`,
// every message is recorded.
class TestWindow : public TfPrincipal {
public:
    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override {
        messages << text;
        (void)caption;
        return withCancel ? answer : 1;
    }
    void PedirNombres(QString &name1, QString &name2) override {
        name1 = QStringLiteral("Ann");
        name2 = QStringLiteral("Bob");
    }
    void NuevoRecordFases(int, int, QString &) override { ++recordCalls; }
    void NuevoRecordVs(int, bool, const QString &) override { ++recordCalls; }
    void showFinal() override {}

    int answer = 1;
    QStringList messages;
    int recordCalls = 0;
};

// Every window test runs in a scratch directory holding a stage file of empty wells,
// with the per-user store inside it, and records error reports instead of showing them.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a new game through the menu item and checks it runs.
    void startGame(TestWindow &w);
    // A two-player game stopped while both pairs fall and the previews show, so
    // nothing changes any more.
    void freezeAGame(TestWindow &w);

    QTemporaryDir scratch;
    QString previousDir;
    QStringList errors;
};
