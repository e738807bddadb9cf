#pragma once

#include <QDialog>

class OrderHost;
class QCheckBox;
class QFrame;
class QPlainTextEdit;
class QPushButton;

// The export command of the main window: checks that an ABO file can be made of the open order
// (an information box says why not) and shows TExportABO modally.
void ExportAboCommand(OrderHost& host);

// Shows the ABO text of the open order in an editable box and saves it to a ".abo" file. The
// comments option lives in the settings file: read on opening, written on every close.
class TExportABO : public QDialog {
    Q_OBJECT
public:
    explicit TExportABO(OrderHost& host, QWidget* parent = nullptr);

    // The order file's path without ".ppu"; the save dialog proposes it with ".abo".
    QString BaseFileName() const;

    void FormCreate();
    void ChB_PripojovatKomentareClick();
    void Tl_UlozitClick();
    void Tl_StornoClick();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void fillText();

    OrderHost& m_host;
    bool m_placed = false;
    QFrame* Panel1 = nullptr;
    QPushButton* Tl_Ulozit = nullptr;
    QCheckBox* ChB_PripojovatKomentare = nullptr;
    QPushButton* Tl_Storno = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
};
