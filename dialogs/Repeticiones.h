#pragma once

#include "services/ReplayFiles.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The replays window: the kept games newest first, with their date, mode, players,
// result, points and length; a filter by mode; watching, keeping for good and deleting
// the one chosen. Files that are no replays are named below the list.
class TfRepeticiones : public QDialog {
    Q_OBJECT
public:
    explicit TfRepeticiones(ReplayLibrary &library, QWidget *parent = nullptr);

    // The replay chosen to watch, once the window closed with Watch.
    QString chosen() const { return chosenPath; }
    // Reads the folder again and shows what passes the filter.
    void Refrescar();

    QComboBox *cbModo;
    QTreeWidget *lvLista;
    QLabel *lblProblemas;
    QPushButton *btnVer, *btnGuardar, *btnBorrar, *btnCerrar;

private:
    void showEntries();
    void selectionChanged();
    int current() const;
    void btnVerClick();
    void btnGuardarClick();
    void btnBorrarClick();

    ReplayLibrary &library;
    std::vector<ReplayEntry> entries;
    QString chosenPath;
};
